#include "host/shell/page_check_views.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>

namespace quenby::shell {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

constexpr int kRowRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;

// Row and column numbers sort as numbers, not as text.
class FindingItem final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int c = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (c <= 1) {
            const auto key = [](const QTreeWidgetItem& i) {
                return std::pair(i.data(0, kRowRole).toInt(), i.data(0, kColumnRole).toInt());
            };
            return c == 0 ? key(*this) < key(other)
                          : std::pair(key(*this).second, key(*this).first) < std::pair(key(other).second, key(other).first);
        }
        return QTreeWidgetItem::operator<(other);
    }
};

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
        auto* item = new FindingItem(list_, {QString::number(f.row), QString::number(f.column),
                                             error ? U("エラー") : U("警告"), f.message});
        item->setData(0, kRowRole, f.row);
        item->setData(0, kColumnRole, f.column);
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
        if (list_->topLevelItem(i)->data(0, kRowRole).toInt() > 0) ++n;
    return n;
}

void FindingsPane::Choose(QTreeWidgetItem* item) {
    if (!item) return;
    const int row = item->data(0, kRowRole).toInt();
    if (row > 0) Q_EMIT Activated(row, item->data(0, kColumnRole).toInt());
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
