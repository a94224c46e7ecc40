// SPDX-License-Identifier: GPL-3.0-or-later
// The network view of a study window: the buses of the study's network with
// their maximum and minimum bolted fault currents and X/R, and the network
// as a tree from its sources (each bus under the bus its feeding branch
// comes from, with that branch and the bus's currents). It shows the study
// file's network as last computed and is filled again whenever asked.
#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;
class QTreeWidget;

namespace zentavo {
class StudyNetwork;
namespace network {
enum class Convention;
}
}  // namespace zentavo

namespace zentavo::ui {

class TNetworkView : public QDialog {
    Q_OBJECT
public:
    explicit TNetworkView(QWidget* parent);

    // Shows `network` (null: a study without network columns) computed by `convention`.
    void Show(const StudyNetwork* network, network::Convention convention, char sep);

private:
    void FillBuses(const StudyNetwork& network, char sep);
    void FillTree(const StudyNetwork& network, char sep);

    QLabel* NetworkSummary = nullptr;
    QTableWidget* NetworkBusTable = nullptr;
    QTreeWidget* NetworkTree = nullptr;
};

}  // namespace zentavo::ui
