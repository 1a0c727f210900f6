#include "weather/ChartDrawing.h"

#include <algorithm>
#include <cstdio>

namespace velmora {
namespace {

constexpr Rgb kBackground{255, 255, 255}, kFrame{96, 96, 96}, kGrid{224, 224, 224}, kText{0, 0, 0};
constexpr Rgb kToday{200, 30, 30}, kYesterday{160, 160, 160}, kRain{30, 90, 200}, kWind{20, 140, 60},
    kGustColour{230, 140, 20}, kDirection{60, 60, 60}, kPressure{120, 40, 160}, kNow{0, 120, 220};

// Text placed by its top left (the surface places it by its baseline).
void Put(Surface& g, int x, int top, const std::string& text, Rgb colour = kText) {
    g.Text({x, top + g.TextHeight() * 4 / 5}, text, colour);
}

struct Panel {
    Rect area;
    int lo = 0, hi = 1;  // the value range of the vertical axis
    int X(size_t slot) const { return area.left + static_cast<int>(slot * size_t(area.Width()) / ChartSeries::kSlots); }
    int Y(int v) const {
        const int h = area.Height();
        return area.bottom - 1 - static_cast<int>(static_cast<long>(std::clamp(v, lo, hi) - lo) * (h - 1) / std::max(1, hi - lo));
    }
};

// A range that holds the values present, widened to whole steps.
void Range(Panel& p, const ChartSeries& s, std::initializer_list<const std::array<int32_t, ChartSeries::kSlots>*> series,
           int step, int minimumSpan, bool fromZero, bool zeroIsEmpty = false) {
    int lo = INT32_MAX, hi = INT32_MIN;
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        if (!s.present[i]) continue;
        for (const auto* values : series) {
            const int v = (*values)[i];
            if (v == 0 && (zeroIsEmpty || values != series.begin()[0])) continue;  // nothing sampled
            lo = std::min(lo, v), hi = std::max(hi, v);
        }
    }
    if (lo > hi) lo = 0, hi = minimumSpan;
    if (fromZero) lo = std::min(lo, 0);
    lo = (lo >= 0 ? lo / step : (lo - step + 1) / step) * step;
    hi = (hi >= 0 ? (hi + step - 1) / step : hi / step) * step;
    if (hi - lo < minimumSpan) hi = lo + minimumSpan;
    p.lo = lo, p.hi = hi;
}

void Line(Surface& g, const Panel& p, const ChartSeries& s, const std::array<int32_t, ChartSeries::kSlots>& v, Rgb colour,
          int width, PenStyle style, bool skipZero) {
    g.SetPen(colour, width, style);
    std::vector<Point> run;
    const auto flush = [&] {
        if (run.size() > 1) g.Polyline(run);
        // A lone sample (a station heard once) is a dot, not nothing.
        if (run.size() == 1) g.FillRect({run[0].x - 2, run[0].y - 2, run[0].x + 3, run[0].y + 3}, colour);
        run.clear();
    };
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        if (!s.present[i] || (skipZero && v[i] == 0)) {
            flush();
            continue;
        }
        run.push_back({p.X(i), p.Y(v[i])});
    }
    flush();
}

void Frame(Surface& g, const Panel& p, const std::string& title, const std::vector<std::string>& lines,
           int labelScale, const char* labelFormat) {
    g.SetPen(kGrid, 1);
    for (int h = 0; h <= 24; h += 3) {
        const int x = p.area.left + h * p.area.Width() / 24;
        g.MoveTo({x, p.area.top});
        g.LineTo({x, p.area.bottom - 1});
    }
    for (int k = 0; k <= 4; ++k) {
        const int y = p.area.bottom - 1 - k * (p.area.Height() - 1) / 4;
        g.MoveTo({p.area.left, y});
        g.LineTo({p.area.right - 1, y});
        char label[24];
        const double value = (p.lo + (p.hi - p.lo) * k / 4.0) / labelScale;
        std::snprintf(label, sizeof label, labelFormat, value);
        Put(g, p.area.left - 4 - g.TextWidth(label), y - g.TextHeight() / 2, label);
    }
    g.SetPen(kFrame, 1);
    g.NoBrush();
    g.Rectangle(p.area);
    g.SetFont(13, true);
    Put(g, p.area.left + 4, p.area.top + 2, title);
    g.SetFont(11);
    int y = p.area.top + 2;
    for (const std::string& l : lines) {
        Put(g, p.area.right - 6 - g.TextWidth(l), y, l);
        y += g.TextHeight();
    }
}

void HourLabels(Surface& g, const Panel& p) {
    for (int h = 0; h <= 24; h += 3) {
        char label[8];
        std::snprintf(label, sizeof label, "%02d", h % 24);
        const int x = p.area.left + h * p.area.Width() / 24;
        Put(g, x - g.TextWidth(label) / 2, p.area.bottom + 1, label);
    }
}

void NowMarker(Surface& g, const Panel& p, size_t slot) {
    g.SetPen(kNow, 1, PenStyle::kDash);
    g.MoveTo({p.X(slot), p.area.top + 1});
    g.LineTo({p.X(slot), p.area.bottom - 2});
}

std::array<int32_t, ChartSeries::kSlots> Converted(const std::array<int32_t, ChartSeries::kSlots>& v, int mul, int div,
                                                   int add = 0) {
    std::array<int32_t, ChartSeries::kSlots> out{};
    for (size_t i = 0; i < v.size(); ++i) out[i] = v[i] == 0 && add != 0 ? 0 : (v[i] + add) * mul / div;
    return out;
}

}  // namespace

ChartSeries SeriesFromChart(const WeatherChart& chart, const WeatherRecord& now, size_t nowSlot, bool metric) {
    ChartSeries s;
    s.title = "Weather Chart";
    s.nowSlot = nowSlot;
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        const WeatherChart::Slot& v = chart.At(i);
        s.temperature[i] = v[kChartTemperature];
        s.temperatureYesterday[i] = v[kChartTemperatureYesterday];
        s.rain[i] = std::max<int32_t>(0, v[kChartRainFiveMinutes]);
        s.wind[i] = v[kChartWindSpeed];
        s.gust[i] = v[kChartGust];
        s.direction[i] = v[kChartWindDirection];
        s.pressure[i] = v[kChartPressure];
        s.pressureYesterday[i] = v[kChartPressureYesterday];
        s.present[i] = v[kChartTemperature] != 0 || v[kChartPressure] != 0 || v[kChartHumidity] != 0 ||
                       v[kChartWindSpeed] != 0 || v[kChartRainCounter] != 0;
    }
    const ChartStatistics st = StatisticsOf(chart, now, metric);
    s.statistics = {{{st.temperature}, {st.rainAccumulated, st.rainTotal}, {st.wind, st.gust}, {st.pressure}}};
    return s;
}

bool SeriesFromStation(const StationRecord& station, size_t nowSlot, ChartSeries& s) {
    if (station.weatherDay.size() < ChartSeries::kSlots) return false;
    s = ChartSeries{};
    char title[64];
    std::snprintf(title, sizeof title, "%s Weather Data", std::string(station.callsign.View()).c_str());
    s.title = title;
    s.nowSlot = nowSlot;
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        const WeatherSlot& v = station.weatherDay[i];
        // temperature F, rainHour, rain24h, rainHour, rainMidnight, rain24h, wind, direction, gust, -, barometer, humidity
        s.temperature[i] = v[0] * 10;
        s.rain[i] = std::max<int32_t>(0, v[1]);
        s.wind[i] = v[6];
        s.direction[i] = v[7];
        s.gust[i] = v[8];
        s.pressure[i] = v[10];
        s.present[i] = v[0] != 0 || v[6] != 0 || v[10] != 0 || v[11] != 0 || v[1] != 0;
    }
    return true;
}

void DrawWeatherChart(Surface& g, const ChartSeries& s, bool metric) {
    const int w = g.Width(), h = g.Height();
    g.FillRect({0, 0, w, h}, kBackground);
    g.SetFont(14, true);
    Put(g, 8, 4, s.title);
    const int titleHeight = g.TextHeight();
    g.SetFont(11);
    // Room for the title and for half of the first axis label above the first panel.
    const int top = 10 + titleHeight + g.TextHeight() / 2, left = 56, right = w - 40, gap = g.TextHeight() + 10;
    const int panelHeight = std::max(20, (h - top - 4 * gap) / 4);
    Panel panels[4];
    for (int k = 0; k < 4; ++k) {
        const int y = top + k * (panelHeight + gap);
        panels[k].area = {left, y, std::max(left + 20, right), y + panelHeight};
    }
    // Temperature, in the operator's units.
    const auto temperature = metric ? Converted(s.temperature, 5, 9, -320) : s.temperature;
    const auto yesterday = metric ? Converted(s.temperatureYesterday, 5, 9, -320) : s.temperatureYesterday;
    Range(panels[0], s, {&temperature, &yesterday}, 50, 100, false);
    g.SetFont(11);
    Frame(g, panels[0], metric ? "Temperature (deg C)" : "Temperature (deg F)", s.statistics[0], 10, "%.0f");
    Line(g, panels[0], s, yesterday, kYesterday, 1, PenStyle::kDot, true);
    Line(g, panels[0], s, temperature, kToday, 2, PenStyle::kSolid, false);
    // Rain: each five minutes' fall as a bar, and the running total of the day.
    const auto rain = metric ? Converted(s.rain, 254, 100) : s.rain;
    std::array<int32_t, ChartSeries::kSlots> total{};
    int32_t sum = 0;
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) total[i] = sum += rain[i];
    Range(panels[1], s, {&total, &rain}, 10, 10, true);
    g.SetFont(11);
    Frame(g, panels[1], metric ? "Rain Fall (mm)" : "Rain Fall (Inches)", s.statistics[1], 100, "%.2f");
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        if (!s.present[i] || rain[i] <= 0) continue;
        g.FillRect({panels[1].X(i), panels[1].Y(rain[i]), panels[1].X(i) + 2, panels[1].area.bottom - 1}, kRain);
    }
    Line(g, panels[1], s, total, kRain, 1, PenStyle::kSolid, false);
    // Wind and gusts, the direction as dots against the compass on the right.
    const auto wind = metric ? Converted(s.wind, 1609, 1000) : s.wind;
    const auto gust = metric ? Converted(s.gust, 1609, 1000) : s.gust;
    Range(panels[2], s, {&wind, &gust}, 10, 20, true);
    g.SetFont(11);
    Frame(g, panels[2], metric ? "Wind (km/h)" : "Wind (MPH)", s.statistics[2], 1, "%.0f");
    Panel compass = panels[2];
    compass.lo = 0, compass.hi = 360;
    const char* const points = "NESW";
    for (int k = 0; k <= 4; ++k) {
        const std::string label(1, points[k % 4]);
        Put(g, panels[2].area.right + 6, compass.Y(k * 90) - g.TextHeight() / 2, label);
    }
    for (size_t i = 0; i < ChartSeries::kSlots; ++i) {
        if (!s.present[i] || (wind[i] == 0 && gust[i] == 0)) continue;
        g.FillRect({compass.X(i), compass.Y(s.direction[i]) - 1, compass.X(i) + 2, compass.Y(s.direction[i]) + 1}, kDirection);
    }
    Line(g, panels[2], s, gust, kGustColour, 1, PenStyle::kSolid, false);
    Line(g, panels[2], s, wind, kWind, 2, PenStyle::kSolid, false);
    // Pressure, today's over yesterday's.
    Range(panels[3], s, {&s.pressure, &s.pressureYesterday}, 20, 40, false, true);
    g.SetFont(11);
    Frame(g, panels[3], "Barometric Press", s.statistics[3], 10, "%.0f");
    Line(g, panels[3], s, s.pressureYesterday, kYesterday, 1, PenStyle::kDot, true);
    Line(g, panels[3], s, s.pressure, kPressure, 2, PenStyle::kSolid, true);
    for (const Panel& p : panels) {
        HourLabels(g, p);
        NowMarker(g, p, s.nowSlot);
    }
}

}  // namespace velmora
