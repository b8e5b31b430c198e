#pragma once

// How the pool scores a week: by correct picks (the default), or by
// confidence points. The administrator chooses; the choice lives in
// PoolRules.ini in the data folder ("rule=confidence"), which travels with
// the administrator's files, so that every machine of the pool scores
// alike. A pool that never chose has no such file.

#include "result.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace gs {

struct Folders;

inline constexpr const char* kPoolRulesFileName = "PoolRules.ini";

enum class PoolRule { Winners, Confidence };

std::filesystem::path poolRulesPath(const Folders& folders);

// "winners" or "confidence".
const char* poolRuleName(PoolRule rule);
std::optional<PoolRule> poolRuleNamed(std::string_view name);

// The rule in force: Winners without the file, or with a value it does not
// know (a newer copy's rule scores as the old one until this copy knows it).
PoolRule poolRule(const Folders& folders);

// Stores the rule, atomically. Choosing the default where no file stands
// writes nothing.
Status storePoolRule(const Folders& folders, PoolRule rule);

} // namespace gs
