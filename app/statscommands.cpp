#include "commands.h"

#include "core/codepage.h"
#include "stats/userstatistics.h"

namespace gs {

int standingsCommand(CommandContext& c) {
    if (c.args.size() != 1) {
        c.err << "gridslate: standings takes no arguments\n";
        return 2;
    }
    // Exactly what opening "User Statistics" works out, read back from the
    // grid the panel shows, so that the two never tell different figures.
    UserStatisticsPanel panel(c.pool, c.dialogs);
    panel.open();
    const GridModel& totals = panel.model().totalsGrid;
    for (int r = 0; r < totals.rows(); ++r) {
        for (int col = 0; col < totals.cols(); ++col)
            c.out << (col > 0 ? "," : "") << cp1252ToUtf8(totals.cell(r, col).text);
        c.out << '\n';
    }
    return 0;
}

} // namespace gs
