// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer calls these global functions of the page:
//   positionChange(latitude, longitude)  two decimal texts in degrees: moves
//                                         the marker and the trail there;
//   toCenter()                           centres the map on the marker;
//   setRoute(json)                       the route of the recording opened;
//   setTileSources(json)                 new tile sources after a change.
// Until a position arrives there is no marker: no place is shown as if it
// were the car's. Without tiles (offline, no map file) the route, the trail
// and the marker still show on a dark ground.
'use strict';

var map = null, marker = null, coords = null, legend = null;
var current = null;  // the marker's position, L.latLng, or null
// Changes on every load, so a caller can tell whether the page was reloaded.
var pageLoadId = String(Date.now()) + '-' + String(Math.random()).slice(2);

// A small text panel in a corner of the map.
function infoPanel(position) {
  var control = L.control({ position: position });
  var element = L.DomUtil.create('div', 'leaflet-control info hidden');
  control.onAdd = function () { return element; };
  control.addTo(map);
  return element;
}

function showPanel(element, html) {
  element.innerHTML = html || '';
  element.classList.toggle('hidden', !html);
}

function createMap() {
  if (typeof L === 'undefined') return;  // the drawing library is missing
  map = L.map('map', { zoomControl: true, attributionControl: true, worldCopyJump: true })
      .setView([20, 0], 1);
  // The attribution names the tiles' source only, to leave room in a small
  // panel; the legend stands above the scale.
  map.attributionControl.setPrefix(false);
  coords = infoPanel('topright');
  var source = infoPanel('topright');
  source.classList.remove('hidden');
  L.control.scale({ imperial: false }).addTo(map);
  legend = infoPanel('bottomleft');
  MapTiles.attach(map, source, typeof zvTileSources === 'undefined' ? null : zvTileSources);
  MapRoute.attach(map);
}

// Keeps the marker on screen: the map follows it once it leaves the view.
function keepMarkerInView() {
  if (!map.getBounds().pad(-0.1).contains(current)) map.panTo(current, { animate: false });
}

function positionChange(latitude, longitude) {
  var lat = parseFloat(latitude), lng = parseFloat(longitude);
  if (!map || !isFinite(lat) || !isFinite(lng) || Math.abs(lat) > 90 || Math.abs(lng) > 180) return;
  current = L.latLng(lat, lng);
  showPanel(coords, lat.toFixed(6) + ', ' + lng.toFixed(6));
  if (!marker) {
    marker = L.circleMarker(current, {
      radius: 7, color: '#ffffff', weight: 3, fillColor: '#1e90ff', fillOpacity: 1,
      interactive: false
    }).addTo(map);
  }
  marker.setLatLng(current);
  marker.bringToFront();
  MapRoute.follow(lat, lng);
  keepMarkerInView();
}

function toCenter() {
  if (map && current) map.setView(current, map.getZoom(), { animate: false });
}

// `json`: an array of runs, each an array of [latitude, longitude, speed
// km/h, time ms]; a line is drawn along each run, never between runs. The
// marker goes until the next position, and the view fits the route.
function setRoute(json) {
  var runs;
  try { runs = JSON.parse(json); } catch (e) { return; }
  if (!Array.isArray(runs) || !map) return;
  current = null;
  showPanel(coords, '');
  if (marker) map.removeLayer(marker);
  marker = null;
  var bounds = MapRoute.set(runs);
  showPanel(legend, bounds ? MapRoute.legendHtml() : '');
  if (bounds) map.fitBounds(bounds, { padding: [24, 24], maxZoom: 17, animate: false });
}

function setTileSources(json) {
  try { if (map) MapTiles.configure(JSON.parse(json)); } catch (e) { /* keeps the old sources */ }
}

// For checks from outside.
// "lat,lng" of the marker, six decimals each; "" when there is none.
function markerPosition() {
  if (!marker) return '';
  var at = marker.getLatLng();
  return at.lat.toFixed(6) + ',' + at.lng.toFixed(6);
}
// Points of the trail drawn so far.
function pathPointCount() { return String(MapRoute.trailPointCount()); }
// Separate lines of the trail (a jump starts a new one).
function trailLineCount() { return String(MapRoute.trailLineCount()); }
function routePointCount() { return String(MapRoute.pointCount()); }
function routeRunCount() { return String(MapRoute.runCount()); }
// "online" or "file:<name>".
function tileSource() { return MapTiles.shownSource(); }

createMap();
