#!/usr/bin/python3
"""Expected UTM values from PROJ (Debian's python3-pyproj), for the tests.

Prints one line per case: ellipsoid, zone, hemisphere, latitude, longitude,
easting, northing. Run by hand to refresh tests/data/utm_reference.txt; the
test suite runs it again and compares when pyproj is installed.
"""
from pyproj import Transformer

CASES = [
    # ellipsoid, zone, latitude, longitude
    ("WGS84", 18, 41.7147, -72.7272),     # Newington, Connecticut
    ("WGS84", 18, 40.6892, -74.0445),
    ("WGS84", 31, 0.0, 3.0),              # the equator on a central meridian
    ("WGS84", 31, 0.5, 0.0001),           # a zone's west edge
    ("WGS84", 17, 35.0, -78.0001),        # the last of zone 17 ...
    ("WGS84", 18, 35.0, -77.9999),        # ... and the first of zone 18
    ("WGS84", 56, -33.87, 151.21),        # Sydney
    ("WGS84", 23, -22.9068, -43.1729),    # Rio de Janeiro
    ("WGS84", 33, -0.0001, 15.0),         # just south of the equator
    ("WGS84", 60, -45.0, 179.9),          # by the date line
    ("WGS84", 1, 51.5, -179.5),
    ("WGS84", 32, 60.39, 5.32),           # Bergen: Norway's wide zone
    ("WGS84", 33, 78.22, 15.65),          # Longyearbyen: Svalbard
    ("WGS84", 20, 83.9, -62.0),           # the northern limit
    ("WGS84", 20, -79.9, -62.0),          # the southern limit
    ("CLRK66", 18, 41.7147, -72.7272),    # what map files use
    ("CLRK66", 14, 30.2672, -97.7431),
    ("CLRK66", 10, 47.6062, -122.3321),
    ("CLRK66", 16, 10.0, -88.9),
]


def main():
    for ellps, zone, lat, lon in CASES:
        south = lat < 0
        name = {"WGS84": "WGS84", "CLRK66": "clrk66"}[ellps]
        proj = f"+proj=utm +zone={zone} +ellps={name}" + (" +south" if south else "")
        t = Transformer.from_crs(f"+proj=longlat +ellps={name}", proj, always_xy=True)
        e, n = t.transform(lon, lat)
        print(f"{ellps} {zone} {'S' if south else 'N'} {lat:.7f} {lon:.7f} {e:.4f} {n:.4f}")


if __name__ == "__main__":
    main()
