#pragma once
// The object dialog as plain state: an own object's or item's name, symbol,
// position as typed, course and speed, comment and routes, read into an
// entry in the operator's words. The desktop's dialog and tests drive it.
#include <string>

#include "transmit/OwnObjects.h"

namespace velmora {

struct ObjectForm {
    std::string name;
    bool item = false;
    char symbolTable = '/', symbolCode = '.';
    std::string position;  // any form hams write, "47 36.50N 122 20.00W"
    int course = 0, speed = 0;
    std::string comment;
    bool hf = true, vhf = true, internet = true;
    bool editing = false;  // an existing object: its name stays

    static ObjectForm From(const OwnObjectEntry& e);
    static ObjectForm At(double lat, double lon);
    // The entry, or the first thing wrong with the form.
    struct Read {
        OwnObjectEntry entry;
        std::string problem;
    };
    Read Entry() const;
};

}  // namespace velmora
