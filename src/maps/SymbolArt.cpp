#include "maps/SymbolArt.h"

#include <initializer_list>
#include <string>

namespace velmora {
namespace {

enum class Art : uint8_t {
    kBadge, kDot, kNumber, kCar, kTruck, kVan, kBus, kJeep, kCaravan, kFireTruck, kAmbulance, kMotorcycle,
    kBicycle, kHouse, kHouseYagi, kWeather, kDigi, kGateway, kBalloon, kSmallPlane, kLargePlane, kHelicopter,
    kBoat, kSailboat, kPerson, kEmergency, kShield, kHospital, kRedCross, kTower, kFire, kTriangle, kRocket,
};

struct Recipe {
    Art art = Art::kBadge;
    Rgb colour{90, 90, 90};
};

constexpr Rgb kRed{210, 30, 30}, kBlue{30, 80, 200}, kGreen{20, 150, 60}, kBlack{20, 20, 20},
    kWhite{255, 255, 255}, kYellow{245, 200, 20}, kOrange{240, 130, 20}, kBrown{140, 90, 40},
    kPurple{130, 60, 170}, kGrey{110, 110, 110}, kTeal{0, 140, 150};

Recipe Primary(char c) {
    switch (c) {
        case '!': return {Art::kShield, kBlue};
        case '#': return {Art::kDigi, kGreen};
        case '&': return {Art::kGateway, kBlack};
        case '\'': return {Art::kSmallPlane, kBlue};
        case '+': return {Art::kRedCross, kRed};
        case '-': return {Art::kHouse, kBrown};
        case '/': return {Art::kDot, kRed};
        case ':': return {Art::kFire, kOrange};
        case '<': return {Art::kMotorcycle, kBlack};
        case '>': return {Art::kCar, kRed};
        case 'O': return {Art::kBalloon, kRed};
        case 'P': return {Art::kCar, kBlue};
        case 'R': return {Art::kCaravan, kBrown};
        case 'U': return {Art::kBus, kYellow};
        case 'W': return {Art::kWeather, kBlue};
        case 'X': return {Art::kHelicopter, kBlue};
        case 'Y': return {Art::kSailboat, kBlue};
        case '[': return {Art::kPerson, kBlack};
        case '^': return {Art::kLargePlane, kBlue};
        case '_': return {Art::kWeather, kTeal};
        case 'a': return {Art::kAmbulance, kWhite};
        case 'b': return {Art::kBicycle, kBlack};
        case 'f': return {Art::kFireTruck, kRed};
        case 'g': return {Art::kSmallPlane, kGrey};
        case 'h': return {Art::kHospital, kRed};
        case 'j': return {Art::kJeep, kGreen};
        case 'k': return {Art::kTruck, kBrown};
        case 'r': return {Art::kTower, kRed};
        case 's': return {Art::kBoat, kBlue};
        case 'u': return {Art::kTruck, kPurple};
        case 'v': return {Art::kVan, kBlue};
        case 'y': return {Art::kHouseYagi, kBrown};
        case 'n': return {Art::kTriangle, kPurple};
        default: break;
    }
    if (c >= '0' && c <= '9') return {Art::kNumber, kBlue};
    return {Art::kBadge, kBlue};
}

Recipe Alternate(char c) {
    switch (c) {
        case '!': return {Art::kEmergency, kRed};
        case '#': return {Art::kDigi, kGreen};
        case '&': return {Art::kGateway, kBlack};
        case '-': return {Art::kHouse, kBrown};
        case '>': return {Art::kCar, kPurple};
        case '^': return {Art::kLargePlane, kGrey};
        case '_': return {Art::kWeather, kTeal};
        case 'k': return {Art::kJeep, kGrey};
        case 'u': return {Art::kTruck, kGrey};
        case 'v': return {Art::kVan, kGrey};
        case 's': return {Art::kBoat, kGrey};
        case 'O': return {Art::kRocket, kGrey};
        case 'n': return {Art::kTriangle, kRed};
        case 'o': return {Art::kDot, kBlue};
        case '0': return {Art::kNumber, kGrey};
        case 'a': return {Art::kBadge, kRed};
        default: return {Art::kBadge, kPurple};
    }
}

// Drawing in the 16 x 16 box whose top left is at o.
class Box {
public:
    Box(Surface& s, Point centre) : s_(s), o_{centre.x - 8, centre.y - 8} {}
    Point P(int x, int y) const { return {o_.x + x, o_.y + y}; }
    void Shape(std::initializer_list<Point> pts, Rgb fill, Rgb outline = kBlack) {
        std::vector<Point> v;
        for (const Point& p : pts) v.push_back(P(p.x, p.y));
        s_.SetPen(outline, 1);
        s_.SetBrush(fill);
        s_.Polygon(v);
        s_.NoBrush();
    }
    void Disc(int l, int t, int r, int b, Rgb fill, Rgb outline = kBlack) {
        s_.SetPen(outline, 1);
        s_.SetBrush(fill);
        s_.Ellipse({o_.x + l, o_.y + t, o_.x + r, o_.y + b});
        s_.NoBrush();
    }
    void Block(int l, int t, int r, int b, Rgb fill, Rgb outline = kBlack) {
        s_.SetPen(outline, 1);
        s_.SetBrush(fill);
        s_.Rectangle({o_.x + l, o_.y + t, o_.x + r, o_.y + b});
        s_.NoBrush();
    }
    void Line(int x0, int y0, int x1, int y1, Rgb colour, int width = 1) {
        s_.SetPen(colour, width);
        s_.MoveTo(P(x0, y0));
        s_.LineTo(P(x1, y1));
    }
    // A character centred on (x, y) of the box.
    void Letter(char c, int x, int y, Rgb colour, int size = 10) {
        const std::string text(1, c);
        s_.SetFont(size, true);
        s_.Text({o_.x + x - s_.TextWidth(text) / 2, o_.y + y + size / 2 - 1}, text, colour);
    }
    void Wheels(int y, int x0, int x1) {
        Disc(x0 - 2, y - 2, x0 + 3, y + 3, kBlack, kBlack);
        Disc(x1 - 2, y - 2, x1 + 3, y + 3, kBlack, kBlack);
    }

private:
    Surface& s_;
    Point o_;
};

Rgb Lighter(Rgb c) { return {uint8_t((c.r + 255) / 2), uint8_t((c.g + 255) / 2), uint8_t((c.b + 255) / 2)}; }

void DrawVehicle(Box& b, Art art, Rgb c) {
    switch (art) {
        case Art::kCar:
            b.Shape({{1, 11}, {1, 8}, {4, 7}, {6, 4}, {11, 4}, {13, 7}, {15, 8}, {15, 11}}, c);
            b.Shape({{6, 7}, {7, 5}, {10, 5}, {11, 7}}, Lighter(kBlue), Lighter(kBlue));
            b.Wheels(12, 4, 12);
            break;
        case Art::kTruck:
        case Art::kFireTruck:
            b.Block(1, 3, 11, 11, c);
            b.Shape({{11, 6}, {14, 6}, {15, 9}, {15, 11}, {11, 11}}, art == Art::kFireTruck ? kRed : kGrey);
            if (art == Art::kFireTruck) b.Line(2, 5, 10, 5, kWhite, 1);
            b.Wheels(12, 4, 12);
            break;
        case Art::kVan:
        case Art::kAmbulance:
            b.Shape({{1, 11}, {1, 4}, {11, 4}, {15, 8}, {15, 11}}, c);
            if (art == Art::kAmbulance) {
                b.Line(6, 5, 6, 10, kRed, 2);
                b.Line(4, 7, 8, 7, kRed, 2);
            } else {
                b.Shape({{11, 5}, {14, 8}, {11, 8}}, Lighter(kBlue), Lighter(kBlue));
            }
            b.Wheels(12, 4, 12);
            break;
        case Art::kBus:
            b.Block(0, 3, 16, 12, c);
            for (int x = 2; x < 14; x += 4) b.Block(x, 5, x + 3, 8, Lighter(kBlue), Lighter(kBlue));
            b.Wheels(12, 4, 12);
            break;
        case Art::kJeep:
            b.Shape({{1, 11}, {1, 7}, {5, 7}, {6, 3}, {9, 3}, {9, 7}, {15, 7}, {15, 11}}, c);
            b.Wheels(12, 4, 12);
            break;
        case Art::kCaravan:
            b.Block(1, 2, 15, 11, c);
            b.Block(3, 4, 7, 7, kWhite);
            b.Block(10, 5, 13, 11, kWhite);
            b.Wheels(12, 5, 11);
            break;
        default: break;
    }
}

void DrawAir(Box& b, Art art, Rgb c) {
    switch (art) {
        case Art::kSmallPlane:  // from above, nose up
            b.Shape({{7, 1}, {9, 1}, {9, 6}, {15, 7}, {15, 9}, {9, 9}, {9, 12}, {11, 14}, {5, 14}, {7, 12},
                     {7, 9}, {1, 9}, {1, 7}, {7, 6}},
                    c);
            break;
        case Art::kLargePlane:
            b.Shape({{7, 0}, {9, 0}, {9, 5}, {16, 9}, {16, 11}, {9, 9}, {9, 13}, {11, 15}, {5, 15}, {7, 13},
                     {7, 9}, {0, 11}, {0, 9}, {7, 5}},
                    c);
            break;
        case Art::kHelicopter:
            b.Line(1, 3, 15, 3, kBlack, 1);
            b.Line(8, 3, 8, 6, kBlack, 1);
            b.Disc(3, 5, 11, 12, c);
            b.Line(10, 8, 15, 8, c, 2);
            b.Line(4, 14, 11, 14, kBlack, 1);
            break;
        case Art::kBalloon:
            b.Disc(3, 0, 13, 11, c);
            b.Line(6, 10, 7, 13, kBlack);
            b.Line(10, 10, 9, 13, kBlack);
            b.Block(6, 13, 10, 16, kBrown);
            break;
        case Art::kRocket:
            b.Shape({{8, 0}, {11, 5}, {11, 12}, {13, 15}, {3, 15}, {5, 12}, {5, 5}}, c);
            break;
        default: break;
    }
}

void DrawPlace(Box& b, Art art, Rgb c) {
    switch (art) {
        case Art::kHouse:
        case Art::kHouseYagi:
            b.Shape({{1, 8}, {8, 2}, {15, 8}}, kRed);
            b.Block(3, 8, 13, 15, Lighter(c));
            b.Block(7, 10, 10, 15, c);
            if (art == Art::kHouseYagi) {
                b.Line(12, 0, 12, 5, kBlack);
                b.Line(9, 1, 15, 1, kBlack);
            }
            break;
        case Art::kWeather:  // a sun behind a cloud
            b.Disc(7, 1, 15, 9, kYellow, kOrange);
            b.Disc(1, 6, 9, 14, kWhite, c);
            b.Disc(6, 5, 14, 13, kWhite, c);
            b.Block(4, 10, 12, 14, kWhite, kWhite);
            b.Line(3, 14, 13, 14, c);
            break;
        case Art::kHospital:
            b.Block(1, 1, 15, 15, kWhite, c);
            b.Block(6, 3, 10, 13, c, c);
            b.Block(3, 6, 13, 10, c, c);
            break;
        case Art::kRedCross:
            b.Block(6, 1, 10, 15, c, c);
            b.Block(1, 6, 15, 10, c, c);
            break;
        case Art::kTower:
            b.Shape({{8, 1}, {12, 15}, {4, 15}}, kWhite, c);
            b.Line(8, 1, 8, 15, c);
            b.Line(5, 11, 11, 11, c);
            b.Line(6, 7, 10, 7, c);
            break;
        case Art::kFire:
            b.Shape({{8, 0}, {12, 6}, {13, 11}, {10, 15}, {6, 15}, {3, 11}, {4, 6}, {6, 8}}, c, kRed);
            b.Shape({{8, 7}, {10, 11}, {9, 14}, {7, 14}, {6, 11}}, kYellow, kYellow);
            break;
        case Art::kShield:
            b.Shape({{2, 2}, {8, 0}, {14, 2}, {13, 10}, {8, 15}, {3, 10}}, c);
            b.Letter('P', 8, 7, kWhite, 9);
            break;
        default: break;
    }
}

void DrawSign(Box& b, Art art, Rgb c, char code) {
    switch (art) {
        case Art::kDigi:  // a star
            b.Shape({{8, 0}, {10, 6}, {16, 6}, {11, 10}, {13, 16}, {8, 12}, {3, 16}, {5, 10}, {0, 6}, {6, 6}}, c);
            break;
        case Art::kGateway:  // a diamond
            b.Shape({{8, 0}, {16, 8}, {8, 16}, {0, 8}}, c, kWhite);
            break;
        case Art::kEmergency:
            b.Shape({{8, 0}, {16, 15}, {0, 15}}, c, kBlack);
            b.Letter('!', 8, 9, kWhite, 10);
            break;
        case Art::kTriangle:
            b.Shape({{8, 1}, {15, 14}, {1, 14}}, c);
            break;
        case Art::kDot:
            b.Disc(4, 4, 12, 12, c);
            break;
        case Art::kNumber:
            b.Disc(0, 0, 16, 16, c, kWhite);
            b.Letter(code, 8, 8, kWhite, 10);
            break;
        default:  // a badge with the code's character
            b.Block(1, 1, 15, 15, c, kWhite);
            b.Letter(code, 8, 8, kWhite, 10);
            break;
    }
}

void DrawPeople(Box& b, Art art, Rgb c) {
    switch (art) {
        case Art::kPerson:
            b.Disc(6, 0, 11, 5, c, c);
            b.Line(8, 5, 8, 10, c, 2);
            b.Line(4, 7, 12, 7, c, 2);
            b.Line(8, 10, 5, 15, c, 2);
            b.Line(8, 10, 11, 15, c, 2);
            break;
        case Art::kBicycle:
        case Art::kMotorcycle:
            b.Disc(0, 8, 7, 15, kWhite, c);
            b.Disc(9, 8, 16, 15, kWhite, c);
            b.Line(3, 11, 7, 6, c, art == Art::kMotorcycle ? 3 : 1);
            b.Line(7, 6, 12, 11, c, art == Art::kMotorcycle ? 3 : 1);
            b.Line(6, 5, 9, 5, c, 2);
            break;
        case Art::kBoat:
            b.Shape({{0, 9}, {16, 9}, {13, 14}, {3, 14}}, c);
            b.Block(5, 5, 11, 9, kWhite, c);
            break;
        case Art::kSailboat:
            b.Shape({{8, 0}, {8, 10}, {2, 10}}, kWhite, c);
            b.Shape({{9, 2}, {14, 10}, {9, 10}}, kWhite, c);
            b.Shape({{0, 11}, {16, 11}, {13, 15}, {3, 15}}, c);
            break;
        default: break;
    }
}

void Draw(Box& b, const Recipe& r, char code) {
    switch (r.art) {
        case Art::kCar: case Art::kTruck: case Art::kVan: case Art::kBus: case Art::kJeep: case Art::kCaravan:
        case Art::kFireTruck: case Art::kAmbulance:
            DrawVehicle(b, r.art, r.colour);
            break;
        case Art::kSmallPlane: case Art::kLargePlane: case Art::kHelicopter: case Art::kBalloon: case Art::kRocket:
            DrawAir(b, r.art, r.colour);
            break;
        case Art::kHouse: case Art::kHouseYagi: case Art::kWeather: case Art::kHospital: case Art::kRedCross:
        case Art::kTower: case Art::kFire: case Art::kShield:
            DrawPlace(b, r.art, r.colour);
            break;
        case Art::kPerson: case Art::kBicycle: case Art::kMotorcycle: case Art::kBoat: case Art::kSailboat:
            DrawPeople(b, r.art, r.colour);
            break;
        default:
            DrawSign(b, r.art, r.colour, code);
            break;
    }
}

}  // namespace

void SymbolArt::DrawSymbol(Surface& s, Point centre, char table, char code) {
    if (s.Density() != density_) {
        stamps_.clear();
        density_ = s.Density();
    }
    const uint16_t key = static_cast<uint16_t>(uint8_t(table) << 8 | uint8_t(code));
    auto found = stamps_.find(key);
    if (found == stamps_.end()) {
        // A pixel of room round the 16 x 16 box for the outlines.
        std::unique_ptr<Surface> stamp = s.MakeLayer(18, 18);
        Paint(*stamp, {9, 9}, table, code);
        found = stamps_.emplace(key, std::move(stamp)).first;
    }
    s.DrawLayer(*found->second, {centre.x - 9, centre.y - 9});
}

void SymbolArt::Paint(Surface& s, Point centre, char table, char code) {
    Box box(s, centre);
    if (code < '!' || code > '~') code = '?';  // never nothing: a badge with a question
    const bool primary = table == '/';
    Draw(box, primary ? Primary(code) : Alternate(code), code);
    if (!primary && IsOverlay(table)) {
        // The overlay: white on a black patch in the lower right, readable
        // over any picture.
        box.Block(8, 7, 16, 16, kBlack, kWhite);
        box.Letter(table, 12, 11, kWhite, 9);
    }
}

}  // namespace velmora
