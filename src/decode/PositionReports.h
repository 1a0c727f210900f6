#pragma once
// The plain position reports: "!" and "=" without a time stamp, "/" and
// "@" with one.
#include "decode/DecodeContext.h"

namespace velmora {

void DecodePlainPosition(DecodeContext& ctx, const ReportCall& call);
void DecodeMessagingPosition(DecodeContext& ctx, const ReportCall& call);
void DecodeTimedPosition(DecodeContext& ctx, const ReportCall& call);

// "hhmmss" in UTC to a local time stamp. The report carries no date: it is
// taken as the latest such time that is not more than an hour ahead of now,
// which puts a report sent just before midnight UTC on the day before.
TimeStamp HmsReportTime(int hour, int minute, int second, const Clock& clock);

}  // namespace velmora
