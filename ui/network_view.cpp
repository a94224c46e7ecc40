// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/network_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include <vector>

#include "engine/number.h"
#include "study/network_study.h"

namespace zentavo::ui {

namespace {

QString Number(double value, int decimals, char sep) {
    return QString::fromStdString(FormatFixed(value, 15, decimals, sep));
}

}  // namespace

TNetworkView::TNetworkView(QWidget* parent) : QDialog(parent) {
    setObjectName("NetworkView");
    setWindowTitle(tr("Network"));
    auto* layout = new QVBoxLayout(this);
    NetworkSummary = new QLabel(this);
    NetworkSummary->setObjectName("NetworkSummary");
    NetworkSummary->setWordWrap(true);
    layout->addWidget(NetworkSummary);

    auto* busesLabel = new QLabel(tr("&Buses"), this);
    NetworkBusTable = new QTableWidget(0, 5, this);
    NetworkBusTable->setObjectName("NetworkBusTable");
    NetworkBusTable->setAccessibleName(tr("Buses and their fault currents"));
    NetworkBusTable->setHorizontalHeaderLabels(
        {tr("Bus"), tr("Voltage (V)"), tr("I max (kA)"), tr("I min (kA)"), tr("X/R")});
    NetworkBusTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    NetworkBusTable->verticalHeader()->hide();
    NetworkBusTable->horizontalHeader()->setStretchLastSection(true);
    busesLabel->setBuddy(NetworkBusTable);
    layout->addWidget(busesLabel);
    layout->addWidget(NetworkBusTable, 1);

    auto* treeLabel = new QLabel(tr("&Tree from the sources"), this);
    NetworkTree = new QTreeWidget(this);
    NetworkTree->setObjectName("NetworkTree");
    NetworkTree->setAccessibleName(tr("The network as a tree"));
    NetworkTree->setHeaderLabels({tr("Bus"), tr("Fed by"), tr("I max (kA)"), tr("I min (kA)")});
    treeLabel->setBuddy(NetworkTree);
    layout->addWidget(treeLabel);
    layout->addWidget(NetworkTree, 1);
    resize(640, 560);
}

void TNetworkView::Show(const StudyNetwork* network, network::Convention convention, char sep) {
    NetworkBusTable->setRowCount(0);
    NetworkTree->clear();
    if (!network || network->Results().buses.empty()) {
        NetworkSummary->setText(tr("The study has no network: no row names a bus."));
        return;
    }
    const QString words =
        QString::fromUtf8(network::kConventionWords[static_cast<std::size_t>(convention)].data());
    NetworkSummary->setText(
        tr("%n buses; fault currents by the %1 convention.", nullptr,
           static_cast<int>(network->Results().buses.size()))
            .arg(words));
    FillBuses(*network, sep);
    FillTree(*network, sep);
}

void TNetworkView::FillBuses(const StudyNetwork& network, char sep) {
    const auto& buses = network.Results().buses;
    NetworkBusTable->setRowCount(static_cast<int>(buses.size()));
    for (std::size_t i = 0; i < buses.size(); ++i) {
        const network::BusResult& b = buses[i];
        const int row = static_cast<int>(i);
        const QStringList cells = b.computed
                                      ? QStringList{QString::fromStdString(b.name), Number(b.kV * 1000, 0, sep),
                                                    Number(b.ka_max, 3, sep), Number(b.ka_min, 3, sep),
                                                    Number(b.xr_max, 2, sep)}
                                      : QStringList{QString::fromStdString(b.name), Number(b.kV * 1000, 0, sep),
                                                    tr("no fault current"), QString(), QString()};
        for (int c = 0; c < cells.size(); ++c) NetworkBusTable->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    NetworkBusTable->resizeColumnsToContents();
    NetworkBusTable->resizeRowsToContents();
}

void TNetworkView::FillTree(const StudyNetwork& network, char sep) {
    const auto& buses = network.Results().buses;
    const auto& feeds = network.Feeds();
    // Each bus under the bus its feeding branch comes from; buses fed by a
    // source alone (or not at all) at the top.
    std::map<std::string, std::vector<std::size_t>> children;
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < buses.size(); ++i) {
        const bool fed = feeds[i].row >= 0 && network.Results().FindBus(feeds[i].fromBus) != nullptr;
        (fed ? children[feeds[i].fromBus] : roots).push_back(i);
    }
    std::vector<bool> shown(buses.size(), false);
    auto item = [&](std::size_t i) {
        const network::BusResult& b = buses[i];
        const StudyNetwork::Feed& f = feeds[i];
        QString fedBy;
        if (f.row >= 0) {
            fedBy = (f.kind == network::ElementKind::Transformer    ? tr("transformer from %1, row %2")
                     : f.kind == network::ElementKind::Transformer3 ? tr("three-winding transformer from %1, row %2")
                                                                    : tr("cable from %1, row %2"))
                        .arg(QString::fromStdString(f.fromBus))
                        .arg(f.row + 1);
        } else {
            fedBy = tr("source");
        }
        return QStringList{QString::fromStdString(b.name), fedBy,
                           b.computed ? Number(b.ka_max, 3, sep) : tr("no fault current"),
                           b.computed ? Number(b.ka_min, 3, sep) : QString()};
    };
    // Depth first, each bus once (a loop's buses stay under their first feed).
    std::vector<std::pair<std::size_t, QTreeWidgetItem*>> stack;
    for (auto r = roots.rbegin(); r != roots.rend(); ++r) stack.push_back({*r, nullptr});
    while (!stack.empty()) {
        const auto [i, parent] = stack.back();
        stack.pop_back();
        if (shown[i]) continue;
        shown[i] = true;
        QTreeWidgetItem* node = parent ? new QTreeWidgetItem(parent, item(i)) : new QTreeWidgetItem(NetworkTree, item(i));
        const auto c = children.find(buses[i].name);
        if (c == children.end()) continue;
        for (auto k = c->second.rbegin(); k != c->second.rend(); ++k) stack.push_back({*k, node});
    }
    // Buses only a loop reaches from themselves: at the top, so none is lost.
    for (std::size_t i = 0; i < buses.size(); ++i) {
        if (!shown[i]) new QTreeWidgetItem(NetworkTree, item(i));
    }
    NetworkTree->expandAll();
    for (int c = 0; c < NetworkTree->columnCount(); ++c) NetworkTree->resizeColumnToContents(c);
}

}  // namespace zentavo::ui
