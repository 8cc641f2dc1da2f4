#include "host/common/image_list.h"

namespace quenby {

int ImageList::Add(const QString& key, const QIcon& icon) {
    if (!key.isEmpty() && Index(key) != 0) return 0;
    if (!imageSize_.isValid() || imageSize_.isEmpty()) {
        const QList<QSize> sizes = icon.availableSizes();
        if (!sizes.isEmpty()) imageSize_ = sizes.first();
    }
    entries_.append(Entry{key, icon});
    return Count();
}

int ImageList::Add(const QString& key, const QPixmap& pixmap) {
    if (!key.isEmpty() && Index(key) != 0) return 0;
    if (!imageSize_.isValid() || imageSize_.isEmpty()) imageSize_ = pixmap.deviceIndependentSize().toSize();
    return Add(key, QIcon(pixmap));
}

int ImageList::Index(const QString& key) const {
    if (key.isEmpty()) return 0;
    for (int i = 0; i < Count(); ++i) {
        if (entries_.at(i).key == key) return i + 1;
    }
    return 0;
}

QIcon ImageList::Image(int index) const {
    if (index < 1 || index > Count()) return {};
    return entries_.at(index - 1).icon;
}

QString ImageList::Key(int index) const {
    if (index < 1 || index > Count()) return {};
    return entries_.at(index - 1).key;
}

QPixmap ImageList::Pixmap(int index, qreal devicePixelRatio, QIcon::Mode mode) const {
    const QIcon icon = Image(index);
    if (icon.isNull() || imageSize_.isEmpty()) return {};
    QPixmap pm = icon.pixmap(imageSize_, devicePixelRatio, mode);
    // Every picture of a list has the list's size: one of another shape is
    // stretched to it, not fitted inside it.
    const QSize device = (QSizeF(imageSize_) * devicePixelRatio).toSize();
    if (!pm.isNull() && pm.size() != device) {
        pm = pm.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm.setDevicePixelRatio(devicePixelRatio);
    }
    return pm;
}

}  // namespace quenby
