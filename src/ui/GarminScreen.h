#pragma once
// A Garmin unit's screen as a picture: its 2-bit pixels through a grey scale.
#include <QImage>

#include "gps/GarminLink.h"

namespace velmora {

QImage GarminScreenImage(const GarminLink& link);

}  // namespace velmora
