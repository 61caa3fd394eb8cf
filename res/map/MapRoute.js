// SPDX-License-Identifier: GPL-3.0-or-later
// The route of the open recording (or trip) coloured by speed, and the
// trail: the part driven since playback last jumped. The route is drawn once
// when it is set; the trail is a piece of it, so its size is bounded by the
// route's, whatever the playing time. Positions that are not on the route
// make a trail of their own, kept to the last FREE_TRAIL_LIMIT points.
var MapRoute = (function () {
  'use strict';

  var BANDS = [
    { below: 30, color: '#2ecc40', label: '~30' },
    { below: 60, color: '#ffdc00', label: '~60' },
    { below: 90, color: '#ff851b', label: '~90' },
    { below: Infinity, color: '#ff4136', label: '90~' }
  ];
  // Playback moves on by at most this many fixes between two positions; a
  // longer or a backward move is a jump (a seek), which restarts the trail.
  var MAX_STEP = 12;
  var FREE_TRAIL_LIMIT = 2000;
  // Positions further apart than this off the route are a jump, not a drive.
  var FREE_JUMP_METRES = 1000;

  var map = null, renderer = null;
  var routeLayer = null, trailLine = null;
  var points = [];      // every route point: { at: L.latLng, run: run index }
  var runCount = 0;
  var trailStart = -1, trailEnd = -1;
  var free = [];        // the trail off the route: arrays of L.latLng

  function bandOf(speed) {
    for (var i = 0; i < BANDS.length; ++i) if (speed < BANDS[i].below) return i;
    return BANDS.length - 1;
  }

  // One run as polylines of a single band each, joined end to end, over a
  // dark casing that keeps them readable on any tiles.
  function drawRun(run, group) {
    var at = run.map(function (p) { return [p[0], p[1]]; });
    if (run.length === 1) {
      L.circleMarker(at[0], {
        renderer: renderer, radius: 3, stroke: false, fillOpacity: 1,
        fillColor: BANDS[bandOf(run[0][2])].color
      }).addTo(group);
      return;
    }
    L.polyline(at, { renderer: renderer, color: '#000', weight: 7, opacity: 0.35 }).addTo(group);
    var pieces = [];
    for (var i = 1; i < run.length; ++i) {
      var band = bandOf((run[i - 1][2] + run[i][2]) / 2);
      var piece = pieces.length ? pieces[pieces.length - 1] : null;
      if (!piece || piece.band !== band) {
        piece = { band: band, at: [at[i - 1]] };
        pieces.push(piece);
      }
      piece.at.push(at[i]);
    }
    pieces.forEach(function (piece) {
      L.polyline(piece.at, {
        renderer: renderer, color: BANDS[piece.band].color, weight: 4, opacity: 0.95
      }).addTo(group);
    });
  }

  function setRoute(runs) {
    if (routeLayer) map.removeLayer(routeLayer);
    routeLayer = L.featureGroup();
    points = [];
    runCount = 0;
    (runs || []).forEach(function (run) {
      if (!run.length) return;
      run.forEach(function (p) { points.push({ at: L.latLng(p[0], p[1]), run: runCount }); });
      drawRun(run, routeLayer);
      ++runCount;
    });
    routeLayer.addTo(map);
    trailLine.bringToFront();
    clearTrail();
    return points.length ? routeLayer.getBounds() : null;
  }

  function clearTrail() {
    trailStart = trailEnd = -1;
    free = [];
    trailLine.setLatLngs([]);
  }

  function samePlace(a, lat, lng) {
    return Math.abs(a.lat - lat) < 5e-7 && Math.abs(a.lng - lng) < 5e-7;
  }

  // The last of the points that follow `i` at the same place (a stop).
  function endOfStop(i) {
    while (i + 1 < points.length && samePlace(points[i + 1].at, points[i].at.lat, points[i].at.lng)) ++i;
    return i;
  }

  // The first route point at a position: among the next few after the
  // trail's end first, so that driving back over a road keeps its place.
  function indexOf(lat, lng) {
    var from = Math.max(trailEnd, 0);
    for (var i = from; i < Math.min(points.length, from + MAX_STEP + 1); ++i)
      if (samePlace(points[i].at, lat, lng)) return i;
    for (var j = 0; j < points.length; ++j) if (samePlace(points[j].at, lat, lng)) return j;
    return -1;
  }

  // The route from trailStart to trailEnd, split where the route is.
  function trailOnRoute() {
    var lines = [], line = null, run = -1;
    for (var i = trailStart; i <= trailEnd; ++i) {
      if (points[i].run !== run) {
        run = points[i].run;
        line = [];
        lines.push(line);
      }
      line.push(points[i].at);
    }
    return lines;
  }

  // The trail ends at the last point of a stop, so that driving on from a
  // stop of any length is one step.
  function followOnRoute(index) {
    free = [];
    var step = index - trailEnd;
    if (trailStart < 0 || step < 0 || step > MAX_STEP) trailStart = index;
    index = endOfStop(index);
    if (index === trailEnd) return;
    trailEnd = index;
    trailLine.setLatLngs(trailOnRoute());
  }

  function followOffRoute(at) {
    trailStart = trailEnd = -1;
    var line = free.length ? free[free.length - 1] : null;
    var last = line ? line[line.length - 1] : null;
    if (last && last.equals(at)) return;
    if (!last || last.distanceTo(at) > FREE_JUMP_METRES) {
      line = [];
      free.push(line);
    }
    line.push(at);
    var total = free.reduce(function (n, l) { return n + l.length; }, 0);
    while (total > FREE_TRAIL_LIMIT) {
      free[0].shift();
      --total;
      if (!free[0].length) free.shift();
    }
    trailLine.setLatLngs(free);
  }

  return {
    attach: function (leafletMap) {
      map = leafletMap;
      renderer = L.canvas({ padding: 0.5 });
      trailLine = L.polyline([], {
        renderer: renderer, color: '#ffffff', weight: 2, opacity: 0.9, interactive: false
      }).addTo(map);
    },
    // Replaces the route; gives its bounds, or null when it has no point.
    set: setRoute,
    // Moves the trail's end to a new marker position.
    follow: function (lat, lng) {
      var index = indexOf(lat, lng);
      if (index >= 0) followOnRoute(index);
      else followOffRoute(L.latLng(lat, lng));
    },
    legendHtml: function () {
      return 'km/h' + BANDS.map(function (b) {
        return '<span class="band" style="background:' + b.color + '"></span>' + b.label;
      }).join('');
    },
    pointCount: function () { return points.length; },
    runCount: function () { return runCount; },
    trailPointCount: function () {
      if (trailStart >= 0) return trailEnd - trailStart + 1;
      return free.reduce(function (n, l) { return n + l.length; }, 0);
    },
    trailLineCount: function () { return trailStart >= 0 ? trailOnRoute().length : free.length; }
  };
})();
