#include "host/shell/page_check_views.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>

namespace quenby::shell {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// Rows and columns are kept as numbers, so they sort as numbers.
int RowOf(const QTreeWidgetItem& item) { return item.data(0, Qt::DisplayRole).toInt(); }
int ColumnOf(const QTreeWidgetItem& item) { return item.data(1, Qt::DisplayRole).toInt(); }

QString Grouped(qint64 n) { return QLocale(QLocale::English).toString(n); }

}  // namespace

FindingsPane::FindingsPane(QWidget* parent) : QDockWidget(U("検査結果"), parent) {
    setObjectName(QStringLiteral("FindingsPane"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({U("行"), U("桁"), U("種類"), U("内容")});
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list_->setSortingEnabled(true);
    list_->sortByColumn(0, Qt::AscendingOrder);
    setWidget(list_);
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Choose(item); });
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Choose(item); });
}

void FindingsPane::Show(const std::vector<checker::Finding>& findings, const QString& handset) {
    list_->setSortingEnabled(false);
    list_->clear();
    for (const checker::Finding& f : findings) {
        const bool error = f.severity == checker::Severity::Error;
        auto* item = new QTreeWidgetItem(list_);
        item->setData(0, Qt::DisplayRole, f.row);
        item->setData(1, Qt::DisplayRole, f.column);
        item->setText(2, error ? U("エラー") : U("警告"));
        item->setText(3, f.message);
        item->setToolTip(3, f.message);
        if (error) item->setForeground(2, QColor(0xC6, 0x28, 0x28));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (findings.empty()) {
        auto* note = new QTreeWidgetItem(list_, {QString(), QString(), QString(), U("問題は見つかりませんでした")});
        note->setFlags(Qt::ItemIsEnabled);
    }
    list_->setSortingEnabled(true);
    setWindowTitle(U("検査結果 - HTML %1 (%2 件)").arg(handset).arg(findings.size()));
}

int FindingsPane::Count() const {
    int n = 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (RowOf(*list_->topLevelItem(i)) > 0) ++n;
    return n;
}

void FindingsPane::Choose(QTreeWidgetItem* item) {
    if (!item) return;
    if (const int row = RowOf(*item); row > 0) Q_EMIT Activated(row, ColumnOf(*item));
}

QString WeightText(qint64 weight, qint64 limit) {
    return U("%1 / %2 バイト").arg(Grouped(weight), Grouped(limit));
}

void ShowWeight(QLabel& panel, qint64 weight, qint64 limit, const QString& handset) {
    const bool over = weight > limit;
    panel.setText(WeightText(weight, limit));
    panel.setProperty("overLimit", over);
    // The warning colours stay readable whatever the style's palette.
    panel.setStyleSheet(over ? QStringLiteral("QLabel { color: white; background-color: #c62828; padding: 0 4px; }")
                             : QString());
    panel.setToolTip(over ? U("ページの重さ (画像を含む) が HTML %1 端末の上限を %2 バイト超えています")
                                .arg(handset, Grouped(weight - limit))
                          : U("ページの重さ (画像を含む) / HTML %1 端末の上限").arg(handset));
}

bool WeightOverLimit(const QLabel& panel) { return panel.property("overLimit").toBool(); }

}  // namespace quenby::shell
