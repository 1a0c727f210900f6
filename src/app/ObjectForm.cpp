#include "app/ObjectForm.h"

#include <cmath>
#include <cstdio>

#include "geo/Position.h"
#include "geo/PositionInput.h"

namespace velmora {

ObjectForm ObjectForm::At(double lat, double lon) {
    ObjectForm f;
    f.position = ShowPosition(lat, lon);
    return f;
}

ObjectForm ObjectForm::From(const OwnObjectEntry& e) {
    ObjectForm f = At(LatDegreesFromUnits(e.lat), LonDegreesFromUnits(e.lon));
    f.name = e.name;
    f.item = e.item;
    f.symbolTable = e.symbolTable, f.symbolCode = e.symbolCode;
    f.course = e.course, f.speed = e.speed;
    f.comment = e.comment;
    f.hf = e.routes & kObjectRouteHf, f.vhf = e.routes & kObjectRouteVhf, f.internet = e.routes & kObjectRouteInternet;
    f.editing = true;
    return f;
}

ObjectForm::Read ObjectForm::Entry() const {
    Read r;
    if (std::string why = OwnObjectStore::NameProblem(name, item); !why.empty()) return {{}, "Name: " + why};
    const PositionRead where = ReadPosition(position);
    if (!where.position) return {{}, "Position: " + where.problem};
    OwnObjectEntry& e = r.entry;
    e.name = name;
    e.item = item;
    e.symbolTable = symbolTable, e.symbolCode = symbolCode;
    e.lat = TypedLatUnits(where.position->lat), e.lon = TypedLonUnits(where.position->lon);
    e.course = course, e.speed = item ? 0 : speed;
    e.comment = comment;
    e.routes = static_cast<uint8_t>((hf ? kObjectRouteHf : 0) | (vhf ? kObjectRouteVhf : 0) |
                                    (internet ? kObjectRouteInternet : 0));
    return r;
}

}  // namespace velmora
