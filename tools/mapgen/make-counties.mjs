// Builds the "Counties" folder of weather-alert areas from the US Census
// county outlines in the us-atlas package (public domain): one binary
// "APRS" map per county, named by its NWS county code, state letters, "C"
// and the three-digit county number of its FIPS code ("CTC003.map" is
// Hartford County, Connecticut; Velmora reads it as the area "CT_C003").
//
//   npm install && node make-counties.mjs ../../demo/Counties [STATE ...]
//
// With states named (postal letters), only their counties are written.
// Forecast zones ("CTZ002") are not in the package; see the README for
// adding their outlines by hand. The output is committed; the build never
// runs this.
import { createRequire } from "node:module";
import { mkdirSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import * as topojson from "topojson-client";

const require = createRequire(import.meta.url);
const out = process.argv[2] ?? "../../demo/Counties";
const only = new Set(process.argv.slice(3).map((s) => s.toUpperCase()));

// FIPS state numbers to postal letters.
const STATES = {
  "01": "AL", "02": "AK", "04": "AZ", "05": "AR", "06": "CA", "08": "CO", "09": "CT", "10": "DE", "11": "DC",
  "12": "FL", "13": "GA", "15": "HI", "16": "ID", "17": "IL", "18": "IN", "19": "IA", "20": "KS", "21": "KY",
  "22": "LA", "23": "ME", "24": "MD", "25": "MA", "26": "MI", "27": "MN", "28": "MS", "29": "MO", "30": "MT",
  "31": "NE", "32": "NV", "33": "NH", "34": "NJ", "35": "NM", "36": "NY", "37": "NC", "38": "ND", "39": "OH",
  "40": "OK", "41": "OR", "42": "PA", "44": "RI", "45": "SC", "46": "SD", "47": "TN", "48": "TX", "49": "UT",
  "50": "VT", "51": "VA", "53": "WA", "54": "WV", "55": "WI", "56": "WY", "60": "AS", "66": "GU", "69": "MP",
  "72": "PR", "78": "VI",
};
const OUTLINE = 7;  // grey, as the map reader draws colour 7

const lonUnits = (deg) => Math.trunc(360000 * deg + 64800000);
const latUnits = (deg) => Math.trunc(32400000 - 360000 * deg);

function mapBytes(title, rings) {
  let w = 180, e = -180, s = 90, n = -90;
  const points = [];
  for (const ring of rings) {
    ring.forEach(([lon, lat], i) => {
      w = Math.min(w, lon); e = Math.max(e, lon); s = Math.min(s, lat); n = Math.max(n, lat);
      points.push([i === 0 ? 255 : OUTLINE, lonUnits(lon), latUnits(lat)]);
    });
  }
  const b = Buffer.alloc(256 + 10 * (points.length + 1) + 44);
  b.write("APRS", 0, "latin1");
  b.write("2.00", 4, "latin1");
  b.write(title.slice(0, 31), 40, "latin1");
  b.write("Velmora", 72, "latin1");
  b.writeUInt32BE(Math.floor(Date.UTC(2026, 11, 9) / 1000) + 2082844800, 80);
  b.writeInt32BE(lonUnits(w), 84);
  b.writeInt32BE(lonUnits(e), 88);
  b.writeInt32BE(latUnits(n), 92);
  b.writeInt32BE(latUnits(s), 96);
  b.writeInt32BE(points.length + 1, 108);
  b.writeInt32BE(1, 112);
  let at = 256;
  for (const [pen, lon, lat] of points) {
    b.writeUInt8(pen, at);
    b.writeInt32BE(lon, at + 2);
    b.writeInt32BE(lat, at + 6);
    at += 10;
  }
  return b;
}

const us = require("us-atlas/counties-10m.json");
mkdirSync(out, { recursive: true });
let files = 0, bytes = 0;
for (const f of topojson.feature(us, us.objects.counties).features) {
  const state = STATES[String(f.id).slice(0, 2)];
  if (!state || (only.size && !only.has(state))) continue;
  const g = f.geometry;
  if (!g) continue;
  const polys = g.type === "Polygon" ? [g.coordinates] : g.coordinates;
  // The outer rings: holes are other counties' own outlines.
  const rings = polys.map((p) => p[0]).filter((r) => r.length >= 3);
  // Aleutian islands past the date line stay on the west side.
  const fixed = rings.map((r) => r.map(([lon, lat]) => [lon > 0 ? lon - 360 : lon, lat]))
    .filter((r) => r.every(([lon]) => lon >= -180));
  if (!fixed.length) continue;
  const name = `${state}C${String(f.id).slice(2)}.map`;
  const b = mapBytes(`${f.properties.name} ${state}`, fixed);
  writeFileSync(join(out, name), b);
  files += 1;
  bytes += b.length;
}
console.log(`${files} county outlines, ${bytes} bytes, in ${out}`);
