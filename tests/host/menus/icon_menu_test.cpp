// The editor window's icon menus: what is registered from a menu bar, how
// the drop-downs are measured and drawn through the style, menu characters,
// and taking it all off again.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <memory>

#include "host/common/image_list.h"
#include "host/menus/icon_menu.h"
#include "host/menus/icon_menu_style.h"

namespace quenby::menus {
namespace {

// A menu that lets a test ask for the option the menu hands its style.
class ProbeMenu : public QMenu {
public:
    using QMenu::QMenu;
    using QMenu::initStyleOption;
};

// A 16 x 16 picture of one strong colour with a dark border, so that a
// picture drawn in a cell is told apart from the menu around it.
QPixmap Picture(const QColor& colour) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.fillRect(QRect(0, 0, 16, 16), colour.darker(200));
    p.fillRect(QRect(2, 2, 12, 12), colour);
    return pm;
}

void SaveScreenshot(const QImage& image, const char* name) {
#ifdef QUENBY_SCREENSHOT_DIR
    QDir().mkpath(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    const QString base = QStringLiteral(QUENBY_SCREENSHOT_DIR "/") + QString::fromUtf8(name);
    image.save(base + QStringLiteral(".png"));
    // Three times as large, pixel for pixel, for looking at the details.
    image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(base + QStringLiteral("_x3.png"));
#else
    (void)image;
    (void)name;
#endif
}

QString Tabbed(const char* caption, const char* shortcut) {
    return QString::fromUtf8(caption) + QLatin1Char('\t') + QString::fromUtf8(shortcut);
}

// A window with menus shaped like the editor's: top-level captions with a
// leading space, "caption<TAB>shortcut" texts, a separator, a hidden item, a
// submenu, checked items and one shortcut kept only in the QAction.
class IconMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QMainWindow>();
        window->resize(480, 320);
        bar = window->menuBar();

        file = new ProbeMenu(QStringLiteral(" ファイル(&F)"), window.get());
        bar->addMenu(file);
        newItem = file->addAction(Tabbed("新規(&N)", "Ctrl+N"));
        newItem->setProperty(IconMenu::kIdProperty, 101);
        open = file->addAction(Tabbed("開く(&O)...", "Ctrl+O"));
        open->setProperty(IconMenu::kIdProperty, 102);
        save = file->addAction(Tabbed("上書き保存(&S)", "Ctrl+S"));
        saveAs = file->addAction(QStringLiteral("名前を付けて保存(&A)..."));
        file->addSeparator();
        hidden = file->addAction(QStringLiteral("隠れた項目(&H)"));
        hidden->setVisible(false);
        quit = file->addAction(QStringLiteral("終了(&X)"));

        view = new ProbeMenu(QStringLiteral(" 表示(&V)"), window.get());
        bar->addMenu(view);
        toolbars = new ProbeMenu(QStringLiteral("ツール バー(&T)"), window.get());
        view->addMenu(toolbars);
        standard = toolbars->addAction(QStringLiteral("標準"));
        standard->setCheckable(true);
        standard->setChecked(true);
        statusBar = view->addAction(QStringLiteral("ステータス バー(&B)"));
        statusBar->setCheckable(true);
        statusBar->setChecked(true);
        view->addSeparator();
        preview = view->addAction(QStringLiteral("編集中のファイルをプレビュー"));
        preview->setShortcut(QKeySequence(Qt::Key_F5));

        images = ImageList(QSize(16, 16));
        images.Add(QStringLiteral("新規(&N)"), Picture(QColor(0, 160, 0)));
        images.Add(QStringLiteral("開く(&O)..."), Picture(QColor(230, 0, 0)));
        images.Add(QStringLiteral("上書き保存(&S)"), Picture(QColor(0, 0, 230)));
        images.Add(QStringLiteral("ステータス バー(&B)"), Picture(QColor(230, 140, 0)));
    }

    void TearDown() override {
        icons.reset();
        window.reset();
    }

    // What the editor window does when it loads.
    void Install() {
        icons = std::make_unique<IconMenu>();
        icons->SetTargetWnd(window.get());
        icons->SetMenuDefaultImage(images);
        icons->SetIconMenu();
        icons->SetIconWidth(22);
        icons->SetIconHeight(18);
    }

    // Opens a drop-down from the menu bar, as a click on its title does.
    void OpenFromBar(QMenu* menu) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        bar->setActiveAction(menu->menuAction());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    }

    QImage Grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_ARGB32); }

    // The icon cell of an action in an open menu.
    QRect Cell(QMenu* menu, QAction* action) const {
        const QRect r = menu->actionGeometry(action);
        return {r.left(), r.top(), icons->IconWidth() + 2, icons->IconHeight() + 2};
    }

    std::unique_ptr<QMainWindow> window;
    QMenuBar* bar = nullptr;
    ProbeMenu* file = nullptr;
    ProbeMenu* view = nullptr;
    ProbeMenu* toolbars = nullptr;
    QAction *newItem = nullptr, *open = nullptr, *save = nullptr, *saveAs = nullptr, *hidden = nullptr,
            *quit = nullptr, *standard = nullptr, *statusBar = nullptr, *preview = nullptr;
    ImageList images;
    std::unique_ptr<IconMenu> icons;
};

// ---- Registration ----------------------------------------------------------------

TEST_F(IconMenuTest, RegistersCaptionShortcutAndAccessKeyOfTheOpenItem) {
    Install();
    const IconMenuItem* item = icons->Item(QStringLiteral("開く(&O)..."));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Key, QStringLiteral("開く(&O)..."));
    EXPECT_EQ(item->Caption, QStringLiteral("開く(&O)..."));
    EXPECT_EQ(item->ShortCut, QStringLiteral("Ctrl+O"));
    EXPECT_EQ(item->AccKey, QStringLiteral("O"));
    EXPECT_EQ(item->hMenu.data(), file);
    EXPECT_EQ(item->hSubMenu.data(), nullptr);
    EXPECT_EQ(item->Position, 1);
    EXPECT_EQ(item->ID, 102);
    EXPECT_FALSE(item->FontBold || item->FontItalic || item->FontUnderline);
    EXPECT_EQ(open->property(IconMenu::kIndexProperty).toInt(), item->Index);
}

TEST_F(IconMenuTest, WalksTheTreeDepthFirstSkippingSeparatorsAndHiddenItems) {
    Install();
    QStringList keys;
    for (const IconMenuItem& item : icons->IconMenuItems()) keys << item.Key;
    const QStringList expected{
        QStringLiteral(" ファイル(&F)"),   QStringLiteral("新規(&N)"),
        QStringLiteral("開く(&O)..."),     QStringLiteral("上書き保存(&S)"),
        QStringLiteral("名前を付けて保存(&A)..."), QStringLiteral("終了(&X)"),
        QStringLiteral(" 表示(&V)"),       QStringLiteral("ツール バー(&T)"),
        QStringLiteral("標準"),            QStringLiteral("ステータス バー(&B)"),
        QStringLiteral("編集中のファイルをプレビュー")};
    EXPECT_EQ(keys, expected);
    for (std::size_t i = 0; i < icons->IconMenuItems().size(); ++i)
        EXPECT_EQ(icons->IconMenuItems()[i].Index, static_cast<int>(i));

    // The separator takes a position; the hidden item does not.
    const IconMenuItem* quitItem = icons->Item(QStringLiteral("終了(&X)"));
    ASSERT_NE(quitItem, nullptr);
    EXPECT_EQ(quitItem->Position, 5);
    EXPECT_EQ(quitItem->ID, 5);  // no identifier: its position
    EXPECT_EQ(icons->Item(QStringLiteral("隠れた項目(&H)")), nullptr);

    // A submenu item is registered in its menu, with the menu it opens.
    const IconMenuItem* sub = icons->Item(QStringLiteral("ツール バー(&T)"));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->hMenu.data(), view);
    EXPECT_EQ(sub->hSubMenu.data(), toolbars);
    EXPECT_EQ(sub->AccKey, QStringLiteral("T"));
    const IconMenuItem* top = icons->Item(QStringLiteral(" 表示(&V)"));
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->hMenu.data(), bar);
    EXPECT_EQ(top->hSubMenu.data(), view);
    EXPECT_EQ(top->Position, 1);
    EXPECT_EQ(icons->Item(QStringLiteral("標準"))->hMenu.data(), toolbars);
}

TEST_F(IconMenuTest, ShortcutComesFromTheActionWhenTheTextHasNoTab) {
    Install();
    const IconMenuItem* item = icons->Item(QStringLiteral("編集中のファイルをプレビュー"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption, QStringLiteral("編集中のファイルをプレビュー"));
    EXPECT_EQ(item->ShortCut, QKeySequence(Qt::Key_F5).toString(QKeySequence::NativeText));
    EXPECT_TRUE(item->AccKey.isEmpty());
}

TEST_F(IconMenuTest, AccessKeyIsTheCharacterAfterTheFirstAmpersand) {
    EXPECT_EQ(AccessKeyOf(QStringLiteral("開く(&O)...")), QStringLiteral("O"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("&a&b")), QStringLiteral("a"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("R&&D")), QStringLiteral("&"));
    EXPECT_EQ(AccessKeyOf(QStringLiteral("末尾&")), QString());
    EXPECT_EQ(AccessKeyOf(QStringLiteral("なし")), QString());
}

TEST_F(IconMenuTest, GetIDtoKeyFindsTheLastItemWithThatIndex) {
    Install();
    const int openIndex = icons->Item(QStringLiteral("開く(&O)..."))->Index;
    EXPECT_EQ(icons->GetIDtoKey(openIndex), QStringLiteral("開く(&O)..."));
    EXPECT_EQ(icons->GetIDtoKey(0), QStringLiteral(" ファイル(&F)"));
    EXPECT_EQ(icons->GetIDtoKey(9999), QString());
    EXPECT_EQ(icons->GetIDtoKey(-1), QString());
}

TEST_F(IconMenuTest, ALaterEqualCaptionTakesTheKeyButTheEarlierKeepsItsIndex) {
    QAction* again = view->addAction(QStringLiteral("新規(&N)"));
    Install();
    const IconMenuItem* keyed = icons->Item(QStringLiteral("新規(&N)"));
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->Action.data(), again);
    EXPECT_EQ(keyed->hMenu.data(), view);
    const int first = newItem->property(IconMenu::kIndexProperty).toInt();
    EXPECT_EQ(icons->GetIDtoKey(first), QStringLiteral("新規(&N)"));
    EXPECT_EQ(icons->ItemFor(file, newItem)->Index, first);
    EXPECT_NE(keyed->Index, first);
}

TEST_F(IconMenuTest, ImagesAreFoundByCaptionIncludingTheAmpersand) {
    Install();
    EXPECT_EQ(icons->GetImageIndex(QStringLiteral("新規(&N)")), 0);
    EXPECT_EQ(icons->GetImageIndex(QStringLiteral("開く(&O)...")), 1);
    EXPECT_EQ(icons->GetImageIndex(QStringLiteral("開く(O)...")), -1);
    EXPECT_EQ(icons->GetImageIndex(QStringLiteral("終了(&X)")), -1);
    EXPECT_EQ(icons->GetImageIndex(QString()), -1);
}

TEST_F(IconMenuTest, AWindowWithoutAMenuBarGetsNone) {
    QMainWindow bare;
    IconMenu menus;
    menus.SetTargetWnd(&bare);
    EXPECT_EQ(menus.hMenu(), nullptr);
    menus.SetIconMenu();
    EXPECT_FALSE(menus.IsSet());
    EXPECT_EQ(bare.menuWidget(), nullptr);
    EXPECT_TRUE(menus.IconMenuItems().empty());
}

// ---- The image list --------------------------------------------------------------

TEST(ImageListTest, IndexesAreOneBasedAndKeysUnique) {
    ImageList list(QSize(16, 16));
    EXPECT_EQ(list.Index(QStringLiteral("Open")), 0);
    EXPECT_EQ(list.Add(QStringLiteral("New"), Picture(Qt::green)), 1);
    EXPECT_EQ(list.Add(QStringLiteral("Open"), Picture(Qt::red)), 2);
    EXPECT_EQ(list.Add(QString(), Picture(Qt::blue)), 3);
    EXPECT_EQ(list.Add(QString(), Picture(Qt::blue)), 4);
    EXPECT_EQ(list.Add(QStringLiteral("Open"), Picture(Qt::yellow)), 0);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Index(QStringLiteral("Open")), 2);
    EXPECT_EQ(list.Index(QStringLiteral("open")), 0);
    EXPECT_EQ(list.Index(QString()), 0);
    EXPECT_EQ(list.Key(2), QStringLiteral("Open"));
    EXPECT_FALSE(list.Image(4).isNull());
    EXPECT_TRUE(list.Image(0).isNull());
    EXPECT_TRUE(list.Image(5).isNull());
    const QImage red = list.Pixmap(2).toImage();
    EXPECT_EQ(red.size(), QSize(16, 16));
    EXPECT_EQ(QColor(red.pixel(8, 8)), QColor(Qt::red));
}

TEST(ImageListTest, AListWithoutASizeTakesItsFirstPictures) {
    ImageList list;
    EXPECT_FALSE(list.ImageSize().isValid());
    list.Add(QStringLiteral("a"), QPixmap(20, 14));
    list.Add(QStringLiteral("b"), QPixmap(32, 32));
    EXPECT_EQ(list.ImageSize(), QSize(20, 14));
    EXPECT_EQ(list.Pixmap(2).size(), QSize(20, 14));
}

// ---- The icon cell -----------------------------------------------------------------

TEST_F(IconMenuTest, CellSizeIsTakenOnlyWithAListAndOnlyLargerThanItsPictures) {
    IconMenu menus;
    const int w0 = menus.IconWidth(), h0 = menus.IconHeight();
    menus.SetIconWidth(40);
    menus.SetIconHeight(40);
    EXPECT_EQ(menus.IconWidth(), w0);
    EXPECT_EQ(menus.IconHeight(), h0);

    menus.SetMenuDefaultImage(ImageList(QSize(20, 12)));
    EXPECT_EQ(menus.IconWidth(), 20);
    EXPECT_EQ(menus.IconHeight(), 12);
    menus.SetIconWidth(20);
    menus.SetIconHeight(11);
    EXPECT_EQ(menus.IconWidth(), 20);
    EXPECT_EQ(menus.IconHeight(), 12);
    menus.SetIconWidth(22);
    menus.SetIconHeight(13);
    EXPECT_EQ(menus.IconWidth(), 22);
    EXPECT_EQ(menus.IconHeight(), 13);
    // A smaller value than the current cell is fine as long as it is larger
    // than the pictures.
    menus.SetIconWidth(21);
    EXPECT_EQ(menus.IconWidth(), 21);

    // A new list sets the cell to its own size again.
    menus.SetMenuDefaultImage(ImageList(QSize(16, 16)));
    EXPECT_EQ(menus.IconWidth(), 16);
    EXPECT_EQ(menus.IconHeight(), 16);
}

// ---- Measuring ---------------------------------------------------------------------

TEST_F(IconMenuTest, ItemsOfOneDropDownMeasureToTheSameWidth) {
    Install();
    QStyleOptionMenuItem a, b;
    file->initStyleOption(&a, newItem);
    file->initStyleOption(&b, quit);
    const QSize sa = file->style()->sizeFromContents(QStyle::CT_MenuItem, &a, QSize(), file);
    const QSize sb = file->style()->sizeFromContents(QStyle::CT_MenuItem, &b, QSize(), file);
    EXPECT_EQ(sa.width(), sb.width());
    EXPECT_EQ(sa.height(), 18 + 2);
    EXPECT_EQ(sb.height(), 18 + 2);
}

TEST_F(IconMenuTest, TheMenuIsAsWideAsItsLongestTextInShiftJisBytesPlusTheCell) {
    // By bytes "名前を付けて保存(&A)..." (23) beats "上書き保存(&S)" + U+3000 +
    // "Ctrl+S" (14 + 2 + 6).
    Install();
    OpenFromBar(file);
    const QFontMetrics fm(QApplication::font(file));
    const int longest = fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic,
                                QStringLiteral("名前を付けて保存(&A)...")).width();
    const int expected = longest + 22 + 2 + IconMenuStyle::kTextGap + IconMenuStyle::kShortcutMargin;
    for (QAction* a : {newItem, open, save, saveAs, quit}) {
        const QRect r = file->actionGeometry(a);
        EXPECT_EQ(r.width(), expected) << a->text().toStdString();
        EXPECT_EQ(r.height(), 18 + 2);
    }
    // Every text fits beside the cell, the shortcut included.
    const QRect r = file->actionGeometry(save);
    EXPECT_GE(r.width(), 24 + fm.size(Qt::TextShowMnemonic, QStringLiteral("上書き保存(&S)\u3000Ctrl+S")).width());
}

TEST_F(IconMenuTest, TheLongestIsCountedInBytesNotPixels) {
    // Twelve narrow letters are 12 bytes, five wide ones 10: the narrow text
    // decides the width although the wide one is wider on screen.
    QMenu* menu = bar->addMenu(QStringLiteral(" 幅(&W)"));
    menu->addAction(QStringLiteral("iiiiiiiiiiii"));
    menu->addAction(QStringLiteral("ＷＷＷＷＷ"));
    Install();
    OpenFromBar(menu);
    const QFontMetrics fm(QApplication::font(menu));
    const int expected = fm.horizontalAdvance(QStringLiteral("iiiiiiiiiiii")) + 24 + IconMenuStyle::kTextGap +
                         IconMenuStyle::kShortcutMargin;
    EXPECT_EQ(menu->actionGeometry(menu->actions().at(1)).width(), expected);
    menu->hide();

    // The shortcut counts, with the ideographic space before it: "ab" +
    // U+3000 + "Ctrl+Shift+B" is 16 bytes against 12.
    QMenu* keys = bar->addMenu(QStringLiteral(" 鍵(&K)"));
    keys->addAction(QStringLiteral("abcdefghijkl"));
    QAction* shortcut = keys->addAction(Tabbed("ab", "Ctrl+Shift+B"));
    icons->SetIconMenu();
    OpenFromBar(keys);
    const int withShortcut = fm.horizontalAdvance(QStringLiteral("ab\u3000Ctrl+Shift+B")) + 24 +
                             IconMenuStyle::kTextGap + IconMenuStyle::kShortcutMargin;
    EXPECT_EQ(keys->actionGeometry(shortcut).width(), withShortcut);
}

TEST_F(IconMenuTest, ABoldItemIsMeasuredInItsFont) {
    Install();
    OpenFromBar(file);
    const int plain = file->actionGeometry(open).width();
    file->hide();
    ASSERT_TRUE(icons->SetItemFont(QStringLiteral("名前を付けて保存(&A)..."), true, false, false));
    EXPECT_FALSE(icons->SetItemFont(QStringLiteral("ない"), true, false, false));
    OpenFromBar(file);
    EXPECT_GT(file->actionGeometry(open).width(), plain);
}

TEST_F(IconMenuTest, ANewCellSizeReachesAnInstalledMenu) {
    Install();
    OpenFromBar(file);
    const int wide = file->actionGeometry(open).width();
    EXPECT_EQ(file->actionGeometry(open).height(), 20);
    file->hide();
    icons->SetMenuDefaultImage(images);  // back to 16 x 16
    OpenFromBar(file);
    EXPECT_EQ(file->actionGeometry(open).height(), 18);
    EXPECT_EQ(file->actionGeometry(open).width(), wide - 6);
}

TEST_F(IconMenuTest, MenuBarItemsGainTheCellOnlyWithAnIcon) {
    QMenu* a = bar->addMenu(QStringLiteral(" 同じ(&A)"));
    QMenu* b = bar->addMenu(QStringLiteral(" 同じ(&B)"));
    a->addAction(QStringLiteral("x"));
    b->addAction(QStringLiteral("y"));
    images.Add(QStringLiteral(" 同じ(&A)"), Picture(Qt::magenta));
    Install();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect ra = bar->actionGeometry(a->menuAction());
    const QRect rb = bar->actionGeometry(b->menuAction());
    EXPECT_EQ(ra.width() - rb.width(), 22 + 2);
    EXPECT_EQ(ra.height(), rb.height());
    const QImage image = Grab(bar);
    SaveScreenshot(image, "icon_menu_bar");
    // The icon sits in the cell at the item's left.
    EXPECT_EQ(image.pixel(ra.left() + 12, ra.top() + ra.height() / 2), QColor(Qt::magenta).rgb());
}

// ---- Drawing -------------------------------------------------------------------------

TEST_F(IconMenuTest, AnItemWithAnIconShowsItCentredInItsCell) {
    Install();
    OpenFromBar(file);
    const QImage image = Grab(file);
    SaveScreenshot(image, "icon_menu_file");
    SaveScreenshot(Grab(bar), "icon_menu_bar_open");
    const QRect cell = Cell(file, open);
    // The 16 x 16 picture in a 24 x 20 cell: 4 and 2 pixels in.
    EXPECT_EQ(image.pixel(cell.left() + 4 + 8, cell.top() + 2 + 8), QColor(230, 0, 0).rgb());
    EXPECT_EQ(image.pixel(cell.left() + 4, cell.top() + 2), QColor(230, 0, 0).darker(200).rgb());
    EXPECT_NE(image.pixel(cell.left() + 3, cell.top() + 2), QColor(230, 0, 0).darker(200).rgb());
    // An item without a picture leaves its cell as the menu is.
    const QRect quitCell = Cell(file, quit).adjusted(1, 0, 0, 0);  // the menu's frame is under the first column
    const QColor background = image.pixelColor(quitCell.center());
    for (int x = quitCell.left(); x <= quitCell.right(); ++x)
        EXPECT_EQ(image.pixelColor(x, quitCell.center().y()), background) << x;
}

TEST_F(IconMenuTest, ADisabledItemHasAGreyedIconAndEmbossedText) {
    Install();
    OpenFromBar(file);
    const QRect cell = Cell(file, save);
    const QImage enabled = Grab(file);
    save->setEnabled(false);
    const QImage disabled = Grab(file);
    SaveScreenshot(disabled, "icon_menu_disabled");
    const QPoint centre = cell.topLeft() + QPoint(4 + 8, 2 + 8);
    EXPECT_GT(enabled.pixelColor(centre).hsvSaturation(), 200);
    EXPECT_LT(disabled.pixelColor(centre).hsvSaturation(), enabled.pixelColor(centre).hsvSaturation() / 2);

    // The text: dark strokes with light ones one pixel down and right.
    const QRect r = file->actionGeometry(save);
    const QPalette pal = file->palette();
    const QRgb light = pal.color(QPalette::Disabled, QPalette::Light).rgb();
    const QRgb dark = pal.color(QPalette::Disabled, QPalette::Dark).rgb();
    int darkWithLightBelowRight = 0;
    for (int y = r.top(); y < r.bottom(); ++y) {
        for (int x = r.left() + cell.width(); x < r.right(); ++x) {
            if (disabled.pixel(x, y) == dark && disabled.pixel(x + 1, y + 1) == light) ++darkWithLightBelowRight;
        }
    }
    EXPECT_GT(darkWithLightBelowRight, 5);
}

TEST_F(IconMenuTest, ACheckedItemWithoutAnIconGetsAMarkInASunkenCell) {
    Install();
    OpenFromBar(view);
    view->setActiveAction(toolbars->menuAction());
    ASSERT_TRUE(QTest::qWaitFor([this] { return toolbars->isVisible(); }, 2000));
    const QRect cell = Cell(toolbars, standard);
    const QImage checkedImage = Grab(toolbars);
    SaveScreenshot(checkedImage, "icon_menu_checked");
    standard->setChecked(false);
    const QImage uncheckedImage = Grab(toolbars);

    int changed = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
        for (int x = cell.left() + 2; x < cell.right() - 1; ++x)
            if (checkedImage.pixel(x, y) != uncheckedImage.pixel(x, y)) ++changed;
    EXPECT_GT(changed, 6) << "no mark inside the cell";
    // Sunken: the shadow colour along the top, the light one along the bottom.
    const QPalette pal = toolbars->palette();
    EXPECT_EQ(checkedImage.pixel(cell.center().x(), cell.top()), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(checkedImage.pixel(cell.center().x(), cell.bottom()), pal.color(QPalette::Light).rgb());
    EXPECT_NE(uncheckedImage.pixel(cell.center().x(), cell.top()), pal.color(QPalette::Dark).rgb());

    // A checked item with an icon keeps its icon and gets the frame only.
    const QImage viewImage = Grab(view);
    SaveScreenshot(viewImage, "icon_menu_view");
    const QRect statusCell = Cell(view, statusBar);
    EXPECT_EQ(viewImage.pixel(statusCell.left() + 12, statusCell.top() + 10), QColor(230, 140, 0).rgb());
    EXPECT_EQ(viewImage.pixel(statusCell.center().x(), statusCell.top()), pal.color(QPalette::Dark).rgb());
}

TEST_F(IconMenuTest, SelectionFollowsTheStyle) {
    Install();
    OpenFromBar(file);
    file->setActiveAction(open);
    const QRect r = file->actionGeometry(open);
    const QRect cell = Cell(file, open);
    const QRgb highlight = file->palette().color(QPalette::Highlight).rgb();
    const QPoint right(r.right() - 4, r.top() + 2);
    const QPoint inCellCorner(cell.left() + 1, cell.top() + 1);

    icons->SetStyle(0);
    const QImage plain = Grab(file);
    SaveScreenshot(plain, "icon_menu_selected_style0");
    EXPECT_EQ(plain.pixel(right), highlight);
    EXPECT_EQ(plain.pixel(inCellCorner), highlight);

    icons->SetStyle(1);
    const QImage framed = Grab(file);
    SaveScreenshot(framed, "icon_menu_selected_style1");
    EXPECT_EQ(framed.pixel(right), highlight);
    EXPECT_NE(framed.pixel(inCellCorner), highlight);
    EXPECT_EQ(framed.pixel(cell.center().x(), cell.top()), file->palette().color(QPalette::Light).rgb());

    icons->SetStyle(2);
    const QImage button = Grab(file);
    SaveScreenshot(button, "icon_menu_selected_style2");
    EXPECT_NE(button.pixel(right), highlight);
    EXPECT_EQ(button.pixel(r.center().x(), r.top()), file->palette().color(QPalette::Light).rgb());
    EXPECT_EQ(button.pixel(r.center().x(), r.bottom()), file->palette().color(QPalette::Dark).rgb());
}

// ---- Menu characters -----------------------------------------------------------------

TEST_F(IconMenuTest, AMenuCharacterTriggersTheLastItemWithThatAccessKey) {
    QAction* options = file->addAction(QStringLiteral("オプション(&O)"));
    Install();
    int openCount = 0, optionsCount = 0;
    QObject::connect(open, &QAction::triggered, [&] { ++openCount; });
    QObject::connect(options, &QAction::triggered, [&] { ++optionsCount; });
    OpenFromBar(file);
    QTest::keyClick(file, Qt::Key_O, Qt::NoModifier);
    EXPECT_EQ(optionsCount, 1);
    EXPECT_EQ(openCount, 0);
    EXPECT_FALSE(file->isVisible());

    // Upper case is the same key.
    OpenFromBar(file);
    QTest::keyClick(file, Qt::Key_O, Qt::ShiftModifier);
    EXPECT_EQ(optionsCount, 2);
}

TEST_F(IconMenuTest, AKeyThatIsNoAccessKeyIsIgnored) {
    Install();
    int triggered = 0;
    QObject::connect(file, &QMenu::triggered, [&] { ++triggered; });
    OpenFromBar(file);
    // Qt's own search would pick the item containing "q" or "c" otherwise.
    QTest::keyClick(file, Qt::Key_Q);
    QTest::keyClick(file, Qt::Key_C);
    QTest::keyClick(file, Qt::Key_1);
    EXPECT_EQ(triggered, 0);
    EXPECT_TRUE(file->isVisible());
    EXPECT_EQ(file->activeAction(), nullptr);
    // A disabled item is not run by its key either.
    save->setEnabled(false);
    QTest::keyClick(file, Qt::Key_S);
    EXPECT_EQ(triggered, 0);
    EXPECT_TRUE(file->isVisible());
}

TEST_F(IconMenuTest, TheAccessKeyOfASubmenuItemOpensItWithItsFirstItemCurrent) {
    Install();
    OpenFromBar(view);
    QTest::keyClick(view, Qt::Key_T);
    ASSERT_TRUE(QTest::qWaitFor([this] { return toolbars->isVisible(); }, 2000));
    EXPECT_EQ(toolbars->activeAction(), standard);
    EXPECT_TRUE(view->isVisible());
}

TEST_F(IconMenuTest, NavigationKeysStayWithTheMenu) {
    Install();
    OpenFromBar(file);
    QTest::keyClick(file, Qt::Key_Down);
    EXPECT_EQ(file->activeAction(), newItem);
    int newCount = 0;
    QObject::connect(newItem, &QAction::triggered, [&] { ++newCount; });
    QTest::keyClick(file, Qt::Key_Return);
    EXPECT_EQ(newCount, 1);
}

// ---- Taking it off ---------------------------------------------------------------------

TEST_F(IconMenuTest, UnSetIconMenuLeavesPlainMenus) {
    QStyle* own = QApplication::style();  // any style set on the widget itself
    view->setStyle(own);
    QAction* options = file->addAction(QStringLiteral("オプション(&O)"));
    Install();
    EXPECT_TRUE(icons->IsSet());
    EXPECT_NE(file->style(), QApplication::style());
    EXPECT_NE(bar->style(), QApplication::style());

    icons->UnSetIconMenu();
    EXPECT_FALSE(icons->IsSet());
    EXPECT_EQ(file->style(), QApplication::style());
    EXPECT_FALSE(file->testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(bar->style(), QApplication::style());
    EXPECT_EQ(toolbars->style(), QApplication::style());
    EXPECT_TRUE(view->testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(view->style(), own);
    EXPECT_FALSE(icons->IconMenuItems().empty());

    // Measured by Qt again, and the menu's own mnemonics are back: with two
    // "&O" items Qt only moves to the first.
    OpenFromBar(file);
    EXPECT_NE(file->actionGeometry(open).height(), 20);
    int triggered = 0;
    QObject::connect(file, &QMenu::triggered, [&] { ++triggered; });
    QTest::keyClick(file, Qt::Key_O);
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(file->activeAction(), open);
    (void)options;
    SaveScreenshot(Grab(file), "icon_menu_unset");
}

TEST_F(IconMenuTest, TheIconMenuGoingAwayTakesItsStyleWithIt) {
    Install();
    icons.reset();
    EXPECT_EQ(file->style(), QApplication::style());
    EXPECT_EQ(bar->style(), QApplication::style());
    // Drawn by the plain style now (a style left behind would be freed).
    OpenFromBar(file);
    EXPECT_FALSE(Grab(file).isNull());
}

TEST_F(IconMenuTest, SettingUpAgainRegistersAnewOverOneInstallation) {
    Install();
    const std::size_t once = icons->IconMenuItems().size();
    icons->SetIconMenu();
    EXPECT_EQ(icons->IconMenuItems().size(), 2 * once);
    // The key now names the newer registration.
    EXPECT_EQ(icons->Item(QStringLiteral("開く(&O)..."))->Index, static_cast<int>(once) + 2);
    icons->UnSetIconMenu();
    EXPECT_EQ(file->style(), QApplication::style());
    EXPECT_FALSE(file->testAttribute(Qt::WA_SetStyle));
}

TEST_F(IconMenuTest, DestroyingTheMenusFirstIsSafe) {
    Install();
    window.reset();
    icons->UnSetIconMenu();
    EXPECT_FALSE(icons->IsSet());
    EXPECT_EQ(icons->GetIDtoKey(1), QStringLiteral("新規(&N)"));
}

}  // namespace
}  // namespace quenby::menus
