// An image list: pictures of one size, in order, each under an optional key.
// The menus find their icons in one by caption, the toolbars by button key.
// A plain value: copying it copies the (implicitly shared) pictures.
#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quenby {

class ImageList {
public:
    ImageList() = default;
    explicit ImageList(QSize imageSize) : imageSize_(imageSize) {}

    // The size every picture is drawn at. A list made without one takes the
    // size of its first picture.
    QSize ImageSize() const { return imageSize_; }
    int ImageWidth() const { return imageSize_.width(); }
    int ImageHeight() const { return imageSize_.height(); }

    // Appends a picture and returns its one-based index. Keys are compared
    // exactly (case matters) and must be unique: a key already in the list
    // adds nothing and gives 0. Any number of pictures may have no key.
    int Add(const QString& key, const QIcon& icon);
    int Add(const QString& key, const QPixmap& pixmap);

    int Count() const { return static_cast<int>(entries_.size()); }
    bool IsEmpty() const { return entries_.isEmpty(); }

    // The one-based index of the picture with this key, or 0 (also for an
    // empty key, which never names a picture).
    int Index(const QString& key) const;
    // The picture at a one-based index; a null icon outside 1..Count().
    QIcon Image(int index) const;
    QString Key(int index) const;

    // The picture at a one-based index, at exactly the list's size (scaled
    // to it when drawn at another) and the given device pixel ratio, in the
    // icon mode asked for; a null pixmap outside 1..Count().
    QPixmap Pixmap(int index, qreal devicePixelRatio = 1.0, QIcon::Mode mode = QIcon::Normal) const;

private:
    struct Entry {
        QString key;
        QIcon icon;
    };
    QSize imageSize_;
    QList<Entry> entries_;
};

}  // namespace quenby
