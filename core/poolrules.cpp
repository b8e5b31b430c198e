#include "poolrules.h"

#include "pool.h"
#include "poolsettings.h"
#include "textfile.h"

namespace gs {

namespace {
constexpr const char* kRuleKey = "rule";
} // namespace

std::filesystem::path poolRulesPath(const Folders& folders) {
    return folders.program / kPoolRulesFileName;
}

const char* poolRuleName(PoolRule rule) {
    return rule == PoolRule::Confidence ? "confidence" : "winners";
}

std::optional<PoolRule> poolRuleNamed(std::string_view name) {
    if (name == "winners")
        return PoolRule::Winners;
    if (name == "confidence")
        return PoolRule::Confidence;
    return std::nullopt;
}

PoolRule poolRule(const Folders& folders) {
    Result<PoolSettings> rules = PoolSettings::load(poolRulesPath(folders));
    if (!rules)
        return PoolRule::Winners;
    return poolRuleNamed(rules->value(kRuleKey).value_or("")).value_or(PoolRule::Winners);
}

Status storePoolRule(const Folders& folders, PoolRule rule) {
    const std::filesystem::path path = poolRulesPath(folders);
    if (rule == PoolRule::Winners && !fileExists(path))
        return {};
    Result<PoolSettings> rules = PoolSettings::load(path);
    if (!rules)
        return failure(rules.error());
    rules->set(kRuleKey, poolRuleName(rule));
    return rules->save(path);
}

} // namespace gs
