// SPDX-License-Identifier: GPL-3.0-or-later
// The direction of a study network's branches, from its sources: which
// branches feed each bus, the tree the network view shows, and the main of
// each line-side row. Found per scenario from the network's own elements,
// never from the order of the rows or which cell says bus and which from_bus.
#include <algorithm>
#include <string>

#include "study/network_study.h"

namespace zentavo {

namespace {

using network::ElementKind;


}  // namespace

void StudyNetwork::FindFeeds(const std::vector<StudyRowInputs>& rows) {
    // The buses each branch row joins (a three-winding transformer: its
    // three), by their numbers in the results; a branch that has an error
    // or does not take part joins none.
    const std::size_t n = results_.buses.size();
    auto number = [&](std::string_view bus) {
        const auto at = results_.busIndex.find(std::string(bus));
        return at == results_.busIndex.end() ? -1 : static_cast<int>(at->second);
    };
    std::vector<std::vector<int>> joins(rows.size());
    std::vector<std::vector<std::size_t>> touching(n);  // the branch rows on each bus
    std::vector<int> level(n, -1);
    std::vector<int> queue;
    auto seed = [&](int b) {
        if (b >= 0 && level[b] < 0) level[b] = 0, queue.push_back(b);
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!own_[i] || rows_[i].problem) continue;
        const ElementKind kind = own_[i]->kind;
        if (kind == ElementKind::Source || kind == ElementKind::Generator) continue;
        std::vector<int>& j = joins[i];
        for (StudyInputColumn c : {kFromBusColumn, kBusColumn, kLvBusColumn}) {
            if (c == kLvBusColumn && kind != ElementKind::Transformer3) continue;
            const int b = number(rows[i][c]);
            if (b >= 0 && std::find(j.begin(), j.end(), b) == j.end()) j.push_back(b), touching[b].push_back(i);
        }
    }
    // Each bus's level: the fewest branches between it and a utility source,
    // or a generator where no source reaches it. A branch feeds the buses it
    // joins that lie further from the sources than its other end; a branch
    // between buses of one level (a tie between two substations, each fed
    // by its own transformer) feeds neither. Row order and which cell says
    // bus and which from_bus decide nothing.
    auto spread = [&] {
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const int u = queue[q];
            for (std::size_t i : touching[u]) {
                for (int v : joins[i]) {
                    if (level[v] < 0) level[v] = level[u] + 1, queue.push_back(v);
                }
            }
        }
    };
    for (ElementKind sources : {ElementKind::Source, ElementKind::Generator}) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (own_[i] && own_[i]->kind == sources && !rows_[i].problem) seed(number(own_[i]->bus));
        }
        spread();
    }
    std::vector<std::vector<std::size_t>> feeders(n);  // per bus: the rows of the branches that feed it
    feeds_.assign(n, Feed{});
    std::vector<int> feedLevel(n, -1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int to : joins[i]) {
            int from = -1;
            for (int o : joins[i]) {
                if (o != to && level[o] >= 0 && level[o] < level[to] && (from < 0 || level[o] < level[from])) from = o;
            }
            if (from < 0) continue;
            feeders[to].push_back(i);
            // The tree of the network view: the feed from the bus nearest the sources.
            if (feeds_[to].row < 0 || level[from] < feedLevel[to]) {
                feeds_[to] = Feed{static_cast<int>(i), results_.buses[from].name, own_[i]->kind};
                feedLevel[to] = level[from];
            }
        }
    }
    // The main of each line-side row on a bus: the one feeding branch with a
    // device, or the one its line_side_of names.
    lineSideMain_.assign(rows.size(), std::nullopt);
    auto describe = [&](std::size_t r) {
        return "row " + std::to_string(r + 1) + " \"" + std::string(rows[r].point) + "\"";
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StudyRowInputs& in = rows[i];
        const std::string_view named = in[kLineSideOfColumn];
        if (!rows_[i].inNetwork || rows_[i].problem || own_[i] || in[kLineSideColumn] != "yes") {
            if (!named.empty() && !rows_[i].problem && rows_[i].inNetwork && !rows_[i].out)
                rows_[i].Refuse("line_side_of: given on a row that is not on the line side of its bus's main "
                                   "(line_side yes, without a branch of its own)");
            continue;
        }
        const int b = number(in[kBusColumn]);
        if (b < 0) continue;
        std::vector<std::size_t> mains;
        for (std::size_t f : feeders[b]) {
            if (HasDevice(rows[f]) && (named.empty() || rows[f].point == named))
                mains.push_back(f);
        }
        std::string list;
        for (std::size_t f : named.empty() ? mains : feeders[b]) list += (list.empty() ? "" : ", ") + describe(f);
        if (!named.empty() && mains.empty()) {
            rows_[i].Refuse("line_side_of: no branch with a device named \"" + std::string(named) +
                                   "\" feeds bus " + std::string(in[kBusColumn]) +
                                   (list.empty() ? "" : " (its feeding branches: " + list + ")"));
        } else if (mains.size() > 1) {
            rows_[i].Refuse("line_side: bus " + std::string(in[kBusColumn]) +
                                   " is fed through several branches with devices (" + list +
                                   "); name its main's point in line_side_of");
        } else if (mains.size() == 1) {
            lineSideMain_[i] = mains.front();
        }
    }
}

std::optional<std::size_t> StudyNetwork::LineSideMain(std::size_t row) const {
    return row < lineSideMain_.size() ? lineSideMain_[row] : std::nullopt;
}

namespace {

// The sections of the first `count` rows.
std::vector<std::optional<std::size_t>> Sections(const StudyNetwork& network, std::size_t count) {
    std::vector<std::optional<std::size_t>> other(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::size_t> main = network.LineSideMain(i);
        if (!main || other[*main]) continue;
        other[i] = *main;
        other[*main] = i;
    }
    return other;
}

}  // namespace

std::vector<std::optional<std::size_t>> StudySections(const StudyNetwork& network,
                                                      const std::vector<StudyRowInputs>& rows) {
    return Sections(network, rows.size());
}

NetworkSummary SummarizeNetwork(const StudyNetwork& network, std::string scenario) {
    NetworkSummary s;
    s.scenario = std::move(scenario);
    s.buses = network.Results().buses;
    for (network::BusResult& b : s.buses) {
        b.shares.clear();
        b.shares_min.clear();
    }
    s.busIndex = network.Results().busIndex;
    s.tapsLeftOut = network.Results().tapsLeftOut;
    s.rows.resize(network.RowCount());
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const NetworkRowFault& f = network.Row(i);
        s.rows[i] = {f.inNetwork, f.out, f.problem && !f.unfed, network.Drawing(i)};
    }
    s.sections = Sections(network, network.RowCount());
    return s;
}

const network::BusResult* NetworkSummary::FindBus(const std::string& name) const {
    const auto it = busIndex.find(name);
    return it == busIndex.end() ? nullptr : &buses[it->second];
}

}  // namespace zentavo
