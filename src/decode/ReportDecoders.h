#pragma once
// Decoders of every report type that is not a plain position or Mic-E.
// Each either fills the report for ApplyReport or writes its record.
#include <optional>
#include <string_view>

#include "decode/DecodeContext.h"

namespace velmora {

// Objects and items: records of their own, named in the packet.
void DecodeObject(DecodeContext& ctx, const ReportCall& call);
void DecodeOldObject(DecodeContext& ctx, const ReportCall& call);
void DecodeItem(DecodeContext& ctx, const ReportCall& call);

// Text reports.
void DecodeStatus(DecodeContext& ctx, const ReportCall& call);
void DecodeCapabilities(DecodeContext& ctx, const ReportCall& call);
void DecodeOtherText(DecodeContext& ctx, const ReportCall& call);
void DecodeListPosition(DecodeContext& ctx, const ReportCall& call);
void DecodeGeneralQuery(DecodeContext& ctx, const ReportCall& call);

// Weather.
void DecodePositionlessWeather(DecodeContext& ctx, const ReportCall& call);
void DecodeRawWeather(DecodeContext& ctx, const ReportCall& call);
void ApplyWeatherExtension(DecodeContext& ctx, StationIndex index, DecodedReport& report);
void ApplyStormData(DecodeContext& ctx, StationIndex index, DecodedReport& report);

// Positions from other sources: GPS sentences, bearings, grid locators.
void DecodeSentence(DecodeContext& ctx, const ReportCall& call);
void DecodeDirectionFinding(DecodeContext& ctx, const ReportCall& call);
void DecodeGridBeacon(DecodeContext& ctx, const ReportCall& call);
void DecodeGridDestination(DecodeContext& ctx, const ReportCall& call);

// Telemetry and the "+" shelter block.
void DecodeTelemetry(DecodeContext& ctx, const ReportCall& call);
// "T#seq,a1,...,a5,bbbbbbbb": values as numbers, fewer than five, decimals,
// fewer than eight bits, "MIC" for the sequence. Empty unless "T#".
std::optional<TelemetryRecord> ParseTelemetryReport(std::string_view info);
// "|ss11...|" in a comment: base-91 pairs of sequence, one to five values
// and the bits. Where it stood (to cut it from the comment) when found.
std::optional<TelemetryRecord> ParseCommentTelemetry(std::string_view comment, size_t* at = nullptr,
                                                     size_t* length = nullptr);
// "PARM.", "UNIT.", "EQNS." or "BITS." of a message a station sends about itself.
bool IsTelemetryDefinition(std::string_view text);
bool ApplyTelemetryDefinition(TelemetryDefinitions& definitions, std::string_view text);
// Base-91 telemetry in a position's comment, stored with the time of now.
void TakeCommentTelemetry(DecodeContext& ctx, StationRecord& station, std::string_view comment);
// Keeps the newest kTelemetryRecords.
void AppendTelemetry(StationRecord& station, const TelemetryRecord& record);
void DecodePlusBlock(DecodeContext& ctx, const ReportCall& call);

// The centre of a locator's square as a "/G" position; false when the text
// is no locator.
bool LocatorToReport(std::string_view locator, DecodedReport& report);

// DX cluster spots of the three classes.
void DecodeDxSpot(DecodeContext& ctx, SpotClass spot, std::string_view info, Liveness live, SourceKind kind);

// A day-hour-minute time ("092345" of "@092345z") as a local time stamp:
// the latest day of that number not after today, in this or the previous
// month; "z" times are UTC.
std::optional<TimeStamp> DhmReportTime(std::string_view digits, char zone, const Clock& clock);

// A decimal number from its first column ("-05", " 12", "077"), clamped to
// 16 bits; empty when no digit follows.
std::optional<int16_t> NumberAt(std::string_view text, size_t at, size_t width);

}  // namespace velmora
