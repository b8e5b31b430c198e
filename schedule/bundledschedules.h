#pragma once

// The real seasons 2009 to 2015 as the CSV text the importer reads
// (header TeamA,TeamB,Date,Visitor,Home,Year; LF line ends).

namespace gs {

extern const char* const kBundledSchedules;

} // namespace gs
