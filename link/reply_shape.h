// What a reply must look like to answer the command it follows.  A stray
// line (a reply given twice, one that came late, line noise) has the shape
// of another command's reply or of none, and must never be taken for the
// answer.
#pragma once

#include <string_view>

// True when `reply` can answer `command`.  Commands whose reply is not
// examined (settings, modes, the opening commands) accept any line.
bool ReplyFits(std::string_view command, std::string_view reply);
// True when the reply of `command` is examined, so that asking again after
// a reply that does not fit is harmless (the command only asks).
bool HasReplyShape(std::string_view command);
