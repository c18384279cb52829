// Flat menu painting, checked by the pixels it draws: colours, gradient column, icons, selection, sizes.
#include "support/Application.h"

#include "ui/MenuColors.h"
#include "ui/MenuPainter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvix;

namespace {

// Sets the application's menu font for one test and puts the old one back.
class MenuFontGuard {
public:
    explicit MenuFontGuard(const QFont& font) : saved_(QApplication::font("QMenu"))
    {
        QApplication::setFont(font, "QMenu");
    }
    ~MenuFontGuard() { QApplication::setFont(saved_, "QMenu"); }

private:
    QFont saved_;
};

// A font whose text height is 13 pixels, as the 8-point Tahoma menu font has; whatever family the system gives.
QFont TahomaSizedFont()
{
    QFont font(QStringLiteral("Tahoma"));
    for (int pixels = 8; pixels <= 20; ++pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() >= 13)
            break;
    }
    return font;
}

QIcon RedIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

QColor At(const QImage& image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

int Count(const QImage& image, const QColor& color, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color.rgba() ? 1 : 0;
    return n;
}

QRect BoundingBox(const QImage& image, const QColor& color, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color.rgba())
                box |= QRect(x, y, 1, 1);
    return box;
}

class MenuPainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureApplication<QApplication>("test_ui");
        form_ = std::make_unique<QWidget>();
        painter_ = new TMenuPainter(form_.get());
        painter_->SetIconWidth(40);
        painter_->SetGradient(true);
        painter_->SetActive(true);
    }

    void TearDown() override { form_.reset(); }

    QStyleOptionMenuItem Item(const QString& text, QStyle::State state = QStyle::State_Enabled) const
    {
        QStyleOptionMenuItem item;
        item.palette = QApplication::palette("QMenu");
        item.state = state;
        item.menuItemType = QStyleOptionMenuItem::Normal;
        item.checkType = QStyleOptionMenuItem::NotCheckable;
        item.text = text;
        item.font = QApplication::font("QMenu");
        return item;
    }

    // The item measured and drawn through the style alone, 200 pixels wide, over magenta.
    QImage Render(QStyleOptionMenuItem item) const
    {
        const QSize size = painter_->sizeFromContents(QStyle::CT_MenuItem, &item, QSize(200, 0));
        item.rect = QRect(0, 0, 200, size.height());
        QImage image(item.rect.size(), QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        painter_->drawControl(QStyle::CE_MenuItem, &item, &p, nullptr);
        return image;
    }

    // The menu shown at the screen's corner and grabbed.
    static QImage Grab(QMenu& menu)
    {
        menu.popup(QPoint(0, 0));
        const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        menu.hide();
        return image;
    }

    TMenuColors Colors(bool highColor = true) const
    {
        return painter_->WorkingColors(QApplication::palette("QMenu"), highColor);
    }

    std::unique_ptr<QWidget> form_;
    TMenuPainter* painter_ = nullptr;
};

} // namespace

TEST(MenuColors, OperationsRoundClampAndCap)
{
    // (255 - 205) * 5 / 100 = 2.5 rounds to 2; (255 - 225) * 5 / 100 = 1.5 rounds to 2.
    EXPECT_EQ(Lighten(QColor(205, 225, 255), 5), QColor(207, 227, 255));
    EXPECT_EQ(Lighten(QColor(10, 20, 30), 250), QColor(255, 255, 255));
    EXPECT_EQ(Lighten(QColor(10, 20, 30), 0), QColor(10, 20, 30));
    EXPECT_EQ(Darken(QColor(100, 100, 100), 50), QColor(50, 52, 50));
    EXPECT_EQ(Darken(QColor(20, 250, 30), 40), QColor(0, 212, 0));
    EXPECT_EQ(Darken(QColor(230, 200, 100), -40), QColor(255, 242, 140));
    EXPECT_EQ(Grey(QColor(30, 60, 90), 90), QColor(150, 150, 150));
    EXPECT_EQ(Grey(QColor(250, 250, 250), 500), QColor(240, 240, 240));
}

TEST_F(MenuPainterTest, WorkingColoursFollowTheSystemOrTheProperties)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));

    const TMenuColors high = painter_->WorkingColors(palette, true);
    EXPECT_EQ(high.itemBackground, Lighten(QColor(212, 208, 200), 86));
    EXPECT_EQ(high.selectFill, Lighten(QColor(10, 36, 106), 68));
    EXPECT_EQ(high.disabledText, Lighten(QColor(128, 128, 128), 10));
    EXPECT_EQ(high.selectedText, QColor(1, 2, 3));
    EXPECT_EQ(high.menuBorder, Darken(QColor(212, 208, 200), 90));

    const TMenuColors low = painter_->WorkingColors(palette, false);
    EXPECT_EQ(low.itemBackground, QColor(Qt::white));
    EXPECT_EQ(low.iconColumn, QColor(212, 208, 200));
    EXPECT_EQ(low.selectFill, QColor(Qt::white));
    EXPECT_EQ(low.checkAreaSelected, QColor(Qt::white));
    EXPECT_EQ(low.separator, QColor(128, 128, 128));

    painter_->SetUseSystemColors(false);
    painter_->SetColor(QColor(1, 1, 1));
    painter_->SetSelectColor(QColor(100, 0, 0));
    EXPECT_EQ(painter_->WorkingColors(palette, true).itemBackground, QColor(1, 1, 1));
    EXPECT_EQ(painter_->WorkingColors(palette, true).checkArea, Lighten(QColor(100, 0, 0), 75));
    EXPECT_EQ(painter_->WorkingColors(palette, false).checkAreaSelected, QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(MenuPainterTest, SystemMenuFontReplacesMsSansSerifByTahoma)
{
    {
        MenuFontGuard guard(QFont(QStringLiteral("MS Sans Serif"), 8));
        EXPECT_EQ(TMenuPainter::SystemMenuFont().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(TMenuPainter::SystemMenuFont().pointSize(), 8);
    }
    MenuFontGuard guard(QFont(QStringLiteral("Verdana"), 8));
    EXPECT_EQ(TMenuPainter::SystemMenuFont().family(), QStringLiteral("Verdana"));
}

TEST_F(MenuPainterTest, SeparatorIsFourPixelsHighWithItsLineAfterTheIconColumn)
{
    QMenu* menu = new QMenu(form_.get());
    menu->addAction(QStringLiteral("Ouvrir"));
    QAction* separator = menu->addSeparator();
    menu->addAction(QStringLiteral("Quitter"));
    painter_->SetActive(true);
    ASSERT_TRUE(painter_->Paints(menu));

    const QImage image = Grab(*menu);
    const QRect r = menu->actionGeometry(separator);
    EXPECT_EQ(r.height(), 4);
    const QColor line = Colors().separator;
    const int y = r.top() + 2;
    const int start = r.left() + 40 + 7;
    EXPECT_NE(At(image, start - 1, y), line);
    EXPECT_EQ(Count(image, line, QRect(start, y, r.right() - start + 1, 1)), r.right() - start + 1);
    EXPECT_EQ(Count(image, line, QRect(r.left(), r.top(), r.width(), 2)), 0);
}

TEST_F(MenuPainterTest, ItemWithTahomaSizedFontAndIconIsTallEnoughWithItsIconPlaced)
{
    const MenuFontGuard guard(TahomaSizedFont());
    const int textHeight = QFontMetrics(TahomaSizedFont()).height();
    QMenu* menu = new QMenu(form_.get());
    QAction* open = menu->addAction(RedIcon(), QStringLiteral("Ouvrir"));
    QAction* plain = menu->addAction(QStringLiteral("Tout désactiver"));
    painter_->SetActive(true);

    const QImage image = Grab(*menu);
    const QRect r = menu->actionGeometry(open);
    EXPECT_GE(r.height(), 23);
    EXPECT_EQ(r.height(), std::max(textHeight + qRound(textHeight * 0.75), 20));
    EXPECT_EQ(menu->actionGeometry(plain).height(), r.height());
    EXPECT_GE(r.width(), QFontMetrics(TahomaSizedFont()).horizontalAdvance(plain->text()) + 40 + 10);

    // Not selected, not checked: the icon is faded.
    const QRect icon = BoundingBox(image, Lighten(Qt::red, 30), r);
    EXPECT_EQ(icon, QRect(r.left() + 11, r.top() + 4, 16, 16));
}

TEST_F(MenuPainterTest, DisabledTitleShowsTheDisabledColourAndNoSelection)
{
    const TMenuColors colors = Colors();
    QStyleOptionMenuItem title = Item(QStringLiteral("TARVIX Port Mapping 1.2.0"), QStyle::State_Selected);
    const QImage image = Render(title);
    EXPECT_GT(Count(image, colors.disabledText), 5);
    EXPECT_EQ(Count(image, QApplication::palette("QMenu").color(QPalette::WindowText)), 0);
    EXPECT_EQ(Count(image, colors.selectFrame), 0);
    EXPECT_EQ(Count(image, colors.selectFill), 0);

    // The same item enabled is selected visibly.
    const QImage enabled = Render(Item(title.text, QStyle::State_Enabled | QStyle::State_Selected));
    EXPECT_EQ(At(enabled, 0, 1), colors.selectFrame);
    EXPECT_EQ(At(enabled, 100, enabled.height() - 1), colors.selectFrame);
    EXPECT_EQ(At(enabled, 1, 2), colors.selectFill);
}

TEST_F(MenuPainterTest, DisabledTitleInAShownMenuGetsNoSelection)
{
    QMenu* menu = new QMenu(form_.get());
    QAction* title = menu->addAction(QStringLiteral("TARVIX Port Mapping 1.2.0"));
    title->setEnabled(false);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Ouvrir"));
    painter_->SetActive(true);
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(title);
    EXPECT_EQ(menu->activeAction(), title);
    const QImage image = menu->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    menu->hide();
    const QRect r = menu->actionGeometry(title);
    EXPECT_EQ(Count(image, Colors().selectFrame, r), 0);
    EXPECT_GT(Count(image, Colors().disabledText, r), 5);
}

TEST_F(MenuPainterTest, DisabledIconIsGrey)
{
    QStyleOptionMenuItem item = Item(QStringLiteral("Activer"), QStyle::State_None);
    item.icon = RedIcon();
    const QImage image = Render(item);
    EXPECT_EQ(Count(image, Grey(Qt::red, 90), QRect(11, 4, 16, 16)), 256);
}

TEST_F(MenuPainterTest, CheckedItemWithIconShowsFramedCheckAreaBehindUnfadedIcon)
{
    const TMenuColors colors = Colors();
    QStyleOptionMenuItem item = Item(QStringLiteral("Français"));
    item.icon = RedIcon();
    item.checkType = QStyleOptionMenuItem::NonExclusive;
    item.checked = true;
    const QImage image = Render(item);
    const int bottom = image.height() + 1; // the painted bottom reaches one pixel further
    const QRect box(QPoint(1, 2), QPoint(40 - 3 - 1, bottom - 2 - 1));
    EXPECT_EQ(At(image, box.left(), box.top()), colors.selectFrame);
    EXPECT_EQ(At(image, box.right(), box.top()), colors.selectFrame);
    EXPECT_EQ(At(image, box.left(), box.bottom()), colors.selectFrame);
    EXPECT_EQ(At(image, box.left() + 1, box.top() + 1), colors.checkArea);
    EXPECT_EQ(At(image, box.right() - 1, box.bottom() - 1), colors.checkArea);
    EXPECT_EQ(Count(image, Qt::red, QRect(11, 4, 16, 16)), 256);

    item.state |= QStyle::State_Selected;
    const QImage selected = Render(item);
    EXPECT_EQ(At(selected, box.left() + 1, box.top() + 1), colors.checkAreaSelected);
    EXPECT_EQ(Count(selected, Qt::red, QRect(11, 4, 16, 16)), 256); // not lifted either
}

TEST_F(MenuPainterTest, CheckedItemWithoutIconShowsTickInFramedBox)
{
    const TMenuColors colors = Colors();
    QStyleOptionMenuItem item = Item(QStringLiteral("English"));
    item.checkType = QStyleOptionMenuItem::NonExclusive;
    item.checked = true;
    const QImage image = Render(item);
    const int l = (40 - 10) / 2;
    const int t = (image.height() + 1 - 10) / 2;
    EXPECT_EQ(At(image, l, t), colors.checkedFrame);
    EXPECT_EQ(At(image, l + 9, t + 9), colors.checkedFrame);
    EXPECT_EQ(At(image, l + 8, t + 1), colors.checkArea);
    const QColor black(Qt::black);
    for (const QPoint& p : {QPoint(1, 5), QPoint(3, 7), QPoint(2, 4), QPoint(4, 7), QPoint(5, 6), QPoint(11, 0),
                            QPoint(4, 8), QPoint(7, 4)})
        EXPECT_EQ(At(image, l + p.x(), t + p.y()), black) << p.x() << "," << p.y();
    // Five segments, each stopping short of its end point, cover 19 pixels.
    EXPECT_NE(At(image, l + 12, t - 1), black);
    EXPECT_EQ(Count(image, black, QRect(0, 0, 40, image.height())), 19);
}

TEST_F(MenuPainterTest, SelectedItemLiftsItsIconOverAShadow)
{
    const TMenuColors colors = Colors();
    QStyleOptionMenuItem item = Item(QStringLiteral("Ouvrir"), QStyle::State_Enabled | QStyle::State_Selected);
    item.icon = RedIcon();
    const QImage image = Render(item);
    EXPECT_EQ(BoundingBox(image, Qt::red, image.rect()), QRect(10, 3, 16, 16));
    const QColor shadow = Darken(colors.selectFill, 50);
    EXPECT_EQ(BoundingBox(image, shadow, image.rect()), QRect(12, 5, 16, 16));
    EXPECT_EQ(Count(image, shadow), 16 * 16 - 14 * 14);
}

TEST_F(MenuPainterTest, GradientColumnsFollowTheShadeRule)
{
    QStyleOptionMenuItem item = Item(QStringLiteral("Nouveau"));
    const QImage image = Render(item);
    const QColor base = Colors().iconColumn;
    int shade = 0;
    for (int x = 0; x < image.width(); ++x) {
        shade = std::min(shade + ((x > 0 && x < 40 + 5) ? 3 : 1), 96);
        ASSERT_EQ(At(image, x, 0), Lighten(base, shade)) << "column " << x;
        ASSERT_EQ(At(image, x, image.height() - 1), Lighten(base, shade)) << "column " << x;
    }
    EXPECT_EQ(At(image, 0, 0), Lighten(base, 1));
    EXPECT_EQ(At(image, 199, 0), Lighten(base, 96));
}

TEST_F(MenuPainterTest, LowColourGivesWhiteBackgroundWithoutGradientOrFading)
{
    QStyleOptionMenuItem item = Item(QStringLiteral("Ouvrir"));
    item.icon = RedIcon();
    painter_->SetColorDepth(15);
    const QImage low = Render(item);
    const QColor face = QApplication::palette("QMenu").color(QPalette::Button);
    EXPECT_EQ(Count(low, face, QRect(0, 0, 40, 1)), 40);
    EXPECT_EQ(Count(low, Qt::white, QRect(40, 0, 160, 1)), 160);
    EXPECT_EQ(Count(low, Qt::red, QRect(11, 4, 16, 16)), 256);

    painter_->SetColorDepth(16);
    const QImage high = Render(item);
    EXPECT_EQ(Count(high, Qt::white, QRect(40, 0, 160, 1)), 0);
    EXPECT_EQ(Count(high, Qt::red, QRect(11, 4, 16, 16)), 0);
}

TEST_F(MenuPainterTest, TakingOverAndReleasingLeaveOthersStylesAlone)
{
    std::unique_ptr<QStyle> other(QStyleFactory::create(QStringLiteral("Windows")));
    std::unique_ptr<QStyle> later(QStyleFactory::create(QStringLiteral("Fusion")));
    painter_->SetActive(false);
    QMenu* plain = new QMenu(form_.get());
    QMenu* styled = new QMenu(form_.get());
    styled->setStyle(other.get());
    QMenu* sub = plain->addMenu(QStringLiteral("Langue"));
    QMenu outside;
    painter_->Attach(&outside);

    painter_->SetActive(true);
    EXPECT_TRUE(painter_->Paints(plain));
    EXPECT_TRUE(painter_->Paints(sub));
    EXPECT_TRUE(painter_->Paints(&outside));
    EXPECT_EQ(styled->style(), other.get());

    plain->setStyle(later.get()); // someone else's choice after the take-over
    painter_->SetActive(false);
    EXPECT_EQ(plain->style(), later.get());
    EXPECT_FALSE(painter_->Paints(sub));
    EXPECT_FALSE(sub->testAttribute(Qt::WA_SetStyle));
    EXPECT_FALSE(outside.testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(styled->style(), other.get());

    painter_->SetOverrideOwnerDraw(false);
    painter_->SetActive(true);
    painter_->SetOverrideOwnerDraw(true); // applies at once while active
    EXPECT_TRUE(painter_->Paints(styled));
    EXPECT_TRUE(painter_->Paints(plain));
    painter_->SetActive(false);
    EXPECT_EQ(styled->style(), other.get());
    EXPECT_EQ(plain->style(), later.get());

    painter_->SetActive(true);
    delete painter_; // destruction releases too
    painter_ = nullptr;
    EXPECT_EQ(styled->style(), other.get());
    EXPECT_FALSE(sub->testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(sub->style(), QApplication::style());
}

TEST_F(MenuPainterTest, AutoDetectTakesOverMenusAddedLater)
{
    painter_->SetAutoDetect(false);
    QMenu* first = new QMenu(form_.get());
    QApplication::processEvents();
    EXPECT_FALSE(painter_->Paints(first));

    painter_->SetAutoDetect(true);
    QMenu* second = new QMenu(form_.get());
    QApplication::processEvents();
    EXPECT_TRUE(painter_->Paints(second));
    EXPECT_TRUE(painter_->Paints(first));

    // A submenu added to a painted menu is taken over when that menu is drawn.
    second->addAction(QStringLiteral("Ouvrir"));
    QMenu* languages = new QMenu(QStringLiteral("Langue"));
    second->addMenu(languages);
    EXPECT_FALSE(painter_->Paints(languages));
    Grab(*second);
    EXPECT_TRUE(painter_->Paints(languages));
    painter_->SetActive(false);
    EXPECT_FALSE(painter_->Paints(languages));
    delete languages;
}

TEST_F(MenuPainterTest, ItemBitmapIsDrawnAsItIsWithItsOwnWidth)
{
    QPixmap bitmap(48, 10);
    bitmap.fill(Qt::blue);
    QImage keyed = bitmap.toImage();
    keyed.setPixel(0, 9, qRgb(0, 255, 0)); // bottom-left: the transparent colour
    QMenu* menu = new QMenu(form_.get());
    QAction* action = menu->addAction(QStringLiteral("Image"));
    painter_->SetItemBitmap(action, QPixmap::fromImage(keyed));

    QStyleOptionMenuItem item = Item(action->text(), QStyle::State_Enabled);
    item.icon = action->icon();
    painter_->SetGradient(false);
    painter_->SetColorDepth(8);
    const QImage image = Render(item);
    // Wider than the column: two pixels from the left, and the text starts after it.
    EXPECT_EQ(BoundingBox(image, Qt::blue, image.rect()), QRect(2, 4, 48, 10));
    EXPECT_EQ(Count(image, QColor(0, 255, 0)), 0);
}
