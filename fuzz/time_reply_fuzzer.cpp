// SPDX-License-Identifier: GPL-3.0-or-later
// The time server's reply parsers (web and daytime) over arbitrary bytes. The first byte chooses
// whether the connection has ended and where the bytes are cut, as they might arrive in two reads.
// Properties: an accepted time lies in the plausible span and on a real clock face; a
// decision taken on the first part of a reply is the one taken on the whole of it (the
// client stops reading once it has decided).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "ui/main/time_sync_reply.h"

namespace {

// 2020-01-01 to 2030-01-01.
constexpr TPlausibleSpan Span{2458849.5, 2462502.5};

} // namespace

// One parser's properties over the bytes.
static void CheckParser(TTimeReply (*parse)(std::string_view, bool, const TPlausibleSpan&),
                        std::string_view bytes, bool ended, std::size_t cut) {
    const TTimeReply whole = parse(bytes, ended, Span);
    FUZZ_CHECK(!ended || whole.Status != TTimeReplyStatus::Incomplete);
    FUZZ_CHECK(whole.FirstLine.size() <= MaxTimeReplyBytes);
    if (whole.Status == TTimeReplyStatus::Ok) {
        FUZZ_CHECK(whole.Utc.JD >= Span.EarliestJD && whole.Utc.JD <= Span.LatestJD);
        FUZZ_CHECK(whole.Utc.Hour <= 23 && whole.Utc.Minute <= 59 && whole.Utc.Second <= 59);
        FUZZ_CHECK(whole.Utc.Month >= 1 && whole.Utc.Month <= 12 && whole.Utc.Day >= 1 &&
                   whole.Utc.Day <= 31);
    }
    const TTimeReply part = parse(bytes.substr(0, cut), false, Span);
    if (part.Status != TTimeReplyStatus::Incomplete && !ended) {
        FUZZ_CHECK(part.Status == whole.Status);
        FUZZ_CHECK(part.FirstLine == whole.FirstLine);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool ended = data[0] & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = bytes.empty() ? 0 : (data[0] >> 1) * bytes.size() / 128;
    // The web reply and the daytime protocol's bare line.
    CheckParser(ParseTimeReply, bytes, ended, cut);
    CheckParser(ParseDaytimeReply, bytes, ended, cut);
    return 0;
}
