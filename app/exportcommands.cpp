// The exports of the "Export" menu for administrators' scripts: the same
// files through the same code, their paths printed.

#include "commands.h"

#include "export/csvexports.h"

namespace gs {

namespace {

int runExport(CommandContext& c,
              Result<ExportOutcome> (*exportFile)(Pool&, const ProgressListener&)) {
    Result<ExportOutcome> outcome = exportFile(c.pool, {});
    if (!outcome) {
        c.err << "gridslate: " << outcome.error().message << '\n';
        return 1;
    }
    for (const std::string& problem : outcome->problems)
        c.err << "gridslate: " << problem << '\n';
    c.out << outcome->path.string() << '\n';
    return outcome->problems.empty() ? 0 : 1;
}

} // namespace

int exportHistoryCommand(CommandContext& c) {
    return runExport(c, exportPickHistory);
}

int exportResultsCommand(CommandContext& c) {
    return runExport(c, exportPickResults);
}

int exportStatisticsCommand(CommandContext& c) {
    return runExport(c, exportUserStatistics);
}

int exportWinnersCommand(CommandContext& c) {
    return runExport(c,
                     [](Pool& pool, const ProgressListener&) { return exportWeeklyWinners(pool); });
}

} // namespace gs
