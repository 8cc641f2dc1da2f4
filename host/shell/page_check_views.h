// What the editor window shows of the page checker: a dock listing the
// findings of the last preview refresh, and the page's weight against the
// target handset's limit for the status bar.
#pragma once

#include "host/checker/page_checker.h"

#include <QDockWidget>
#include <QString>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace quenby::shell {

class FindingsPane final : public QDockWidget {
    Q_OBJECT

public:
    explicit FindingsPane(QWidget* parent = nullptr);

    // Replaces the list; handset names the profile checked against.
    void Show(const std::vector<checker::Finding>& findings, const QString& handset);
    QTreeWidget* List() const { return list_; }
    // The findings listed, in the order shown (the empty list's note is none).
    int Count() const;

Q_SIGNALS:
    // A finding was clicked or chosen with Enter: row and column as found.
    void Activated(int row, int column);

private:
    void Choose(QTreeWidgetItem* item);

    QTreeWidget* list_ = nullptr;
};

// "12,345 / 102,400 バイト"
QString WeightText(qint64 weight, qint64 limit);
// Shows the weight on the status bar's panel, in the warning colours above
// the limit.
void ShowWeight(QLabel& panel, qint64 weight, qint64 limit, const QString& handset);
bool WeightOverLimit(const QLabel& panel);

}  // namespace quenby::shell
