#include "lists/SymbolNames.h"

namespace velmora {
namespace {

// The primary table, "!" to "~" (from the published symbol list).
constexpr std::string_view kPrimary[94] = {
    "Police station", "", "Digipeater", "Phone", "DX cluster", "HF gateway", "Small aircraft",
    "Mobile satellite station", "Wheelchair", "Snowmobile", "Red Cross", "Boy Scouts", "House", "X", "Red dot",
    "Circle 0", "Circle 1", "Circle 2", "Circle 3", "Circle 4", "Circle 5", "Circle 6", "Circle 7", "Circle 8",
    "Circle 9", "Fire", "Campground", "Motorcycle", "Railroad engine", "Car", "File server",
    "Hurricane prediction", "Aid station", "BBS", "Canoe", "", "Eyeball", "Farm vehicle", "Grid square",
    "Hotel", "TCP/IP", "", "School", "PC user", "MacAPRS", "NTS station", "Balloon", "Police", "",
    "Recreational vehicle", "Space shuttle", "SSTV", "Bus", "ATV", "Weather service site", "Helicopter",
    "Yacht", "WinAPRS", "Jogger", "Triangle (DF)", "PBBS", "Large aircraft", "Weather station",
    "Dish antenna", "Ambulance", "Bicycle", "Incident command post", "Fire department", "Horse",
    "Fire truck", "Glider", "Hospital", "Island", "Jeep", "Truck", "Laptop", "Mic-E repeater", "Node",
    "Emergency operations centre", "Dog", "Grid square", "Repeater", "Ship", "Truck stop", "Semi truck",
    "Van", "Water station", "xAPRS", "Yagi at QTH", "", "", "", "", "",
};

struct Alternate {
    char code;
    std::string_view meaning;
};

constexpr Alternate kAlternate[] = {
    {'!', "Emergency"},       {'#', "Digipeater"},     {'&', "Gateway"},      {'\'', "Crash site"},
    {'(', "Cloudy"},          {'-', "House"},          {'0', "Circle"},       {':', "Hail"},
    {'<', "Advisory"},        {'>', "Car"},            {'A', "Box"},          {'D', "Drizzle"},
    {'E', "Smoke"},           {'F', "Freezing rain"},  {'G', "Snow shower"},  {'H', "Haze"},
    {'I', "Rain shower"},     {'J', "Lightning"},      {'K', "Kenwood radio"}, {'L', "Lighthouse"},
    {'N', "Navigation buoy"}, {'O', "Rocket"},         {'P', "Parking"},      {'Q', "Earthquake"},
    {'R', "Restaurant"},      {'S', "Satellite"},      {'T', "Thunderstorm"}, {'U', "Sunny"},
    {'W', "Weather service site"}, {'X', "Pharmacy"},  {'[', "Wall cloud"},   {'^', "Aircraft"},
    {'_', "Weather station"}, {'`', "Rain"},           {'a', "ARRL or ARES"}, {'c', "Civil defence"},
    {'e', "Sleet"},           {'f', "Funnel cloud"},   {'g', "Gale"},         {'h', "Ham store"},
    {'i', "Indoor short range"}, {'j', "Work zone"},   {'k', "SUV"},          {'m', "Milepost"},
    {'n', "Triangle"},        {'o', "Small circle"},   {'q', "Hurricane"},    {'r', "Restrooms"},
    {'s', "Ship"},            {'t', "Tornado"},        {'u', "Truck"},        {'v', "Van"},
    {'w', "Flooding"},        {'y', "Skywarn"},        {'z', "Shelter"},
};

}  // namespace

std::string_view SymbolMeaning(char table, char code) {
    if (code < '!' || code > '~') return {};
    if (table == '/') return kPrimary[code - '!'];
    if (table == 0) return {};
    for (const Alternate& a : kAlternate)
        if (a.code == code) return a.meaning;
    return {};
}

}  // namespace velmora
