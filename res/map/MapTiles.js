// SPDX-License-Identifier: GPL-3.0-or-later
// The map's tiles: the online tile server, or an offline map file where one
// covers the view. The viewer declares both in zvTileSources (tile-sources.js)
// and may replace them later through setTileSources().
var MapTiles = (function () {
  'use strict';

  var DEFAULT_SOURCES = {
    online: {
      url: 'https://tile.openstreetmap.org/{z}/{x}/{y}.png', subdomains: 'abc', maxZoom: 19,
      label: 'tile.openstreetmap.org',
      attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> contributors'
    },
    offline: []
  };
  var MAX_ZOOM = 19;

  var map = null, label = null;
  var online = null, offline = [], shown = null;

  // Attributions come from the setting and from map files: keep their text
  // and their web links, and nothing that could run in the page.
  function safeAttribution(html) {
    var source = new DOMParser().parseFromString('<body>' + (html || '') + '</body>', 'text/html');
    var out = document.createElement('span');
    (function copy(from, to) {
      from.childNodes.forEach(function (node) {
        if (node.nodeType === Node.TEXT_NODE) {
          to.appendChild(document.createTextNode(node.textContent));
        } else if (node.nodeType === Node.ELEMENT_NODE) {
          var href = node.tagName === 'A' ? node.getAttribute('href') || '' : '';
          var into = to;
          if (/^https?:\/\//i.test(href)) {
            into = document.createElement('a');
            into.href = href;
            to.appendChild(into);
          }
          copy(node, into);
        }
      });
    })(source.body, out);
    return out.innerHTML;
  }

  function onlineLayer(source) {
    return L.tileLayer(source.url, {
      subdomains: source.subdomains || 'abc', maxZoom: MAX_ZOOM,
      maxNativeZoom: Math.min(source.maxZoom || MAX_ZOOM, MAX_ZOOM),
      attribution: safeAttribution(source.attribution)
    });
  }

  function offlineLayer(source) {
    var b = source.bounds;  // south, west, north, east
    var bounds = L.latLngBounds([b[0], b[1]], [b[2], b[3]]);
    return {
      name: source.name, minZoom: source.minZoom, bounds: bounds,
      layer: L.tileLayer(source.url, {
        maxZoom: MAX_ZOOM, minNativeZoom: source.minZoom, maxNativeZoom: source.maxZoom,
        bounds: bounds, attribution: safeAttribution(source.attribution)
      })
    };
  }

  // The first offline file that covers the middle of the view at this zoom
  // (deeper zooms enlarge its deepest tiles); none means the online server.
  function coveringFile() {
    var zoom = map.getZoom(), centre = map.getCenter();
    for (var i = 0; i < offline.length; ++i)
      if (zoom >= offline[i].minZoom && offline[i].bounds.contains(centre)) return offline[i];
    return null;
  }

  function showLayer() {
    if (!map || !online) return;
    var file = coveringFile();
    var layer = file ? file.layer : online.layer;
    if (layer === shown) return;
    if (shown) map.removeLayer(shown);
    shown = layer;
    map.addLayer(layer);
    if (label) label.textContent = file ? '지도 파일 · ' + file.name : '온라인 지도 · ' + online.label;
  }

  function configure(sources) {
    if (shown) map.removeLayer(shown);
    shown = null;
    sources = sources || DEFAULT_SOURCES;
    var source = sources.online || DEFAULT_SOURCES.online;
    online = { layer: onlineLayer(source), label: source.label || '' };
    offline = (sources.offline || []).map(offlineLayer);
    showLayer();
  }

  return {
    // Draws the tiles of `sources` on `leafletMap`, naming the source shown
    // in the element `sourceLabel`.
    attach: function (leafletMap, sourceLabel, sources) {
      map = leafletMap;
      label = sourceLabel;
      map.on('moveend zoomend', showLayer);
      configure(sources);
    },
    configure: configure,
    // "online" or "file:<name>".
    shownSource: function () {
      for (var i = 0; i < offline.length; ++i)
        if (offline[i].layer === shown) return 'file:' + offline[i].name;
      return shown ? 'online' : '';
    }
  };
})();
