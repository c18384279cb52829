#pragma once
// Paints menus flat, with a gradient icon column and lifted icons, in place of the style's own drawing.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

#include <vector>

class QAction;
class QStyleOptionMenuItem;

namespace tarvix {

// The colours one menu item is painted with, worked out before each item is drawn.
struct TMenuColors {
    QColor itemBackground;
    QColor iconColumn;
    QColor selectFill;
    QColor selectFrame;
    QColor selectedText;
    QColor menuBar;
    QColor disabledText;
    QColor checkedFrame;
    QColor separator;
    QColor checkArea;
    QColor checkAreaSelected;
    QColor menuBorder;
    QColor menuShadow;
};

// Paints popup menus flat: a shaded icon column, a light item background, a framed selection, faded icons
// that come to full colour and lift with a shadow when selected, framed check marks and thin separators.
//
// It is a style set on the menus it takes over: the form's own menus (its direct QMenu children), menus
// given to Attach, and the submenus of both. A menu whose style someone else chose is left alone unless
// OverrideOwnerDraw is set; releasing gives every menu the style it had before, and leaves a menu that
// someone else restyled in the meantime untouched.
class TMenuPainter : public QProxyStyle {
    Q_OBJECT
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor IconBackColor READ IconBackColor WRITE SetIconBackColor)
    Q_PROPERTY(QColor MenuBarColor READ MenuBarColor WRITE SetMenuBarColor)
    Q_PROPERTY(QColor SelectColor READ SelectColor WRITE SetSelectColor)
    Q_PROPERTY(QColor SelectBorderColor READ SelectBorderColor WRITE SetSelectBorderColor)
    Q_PROPERTY(QColor SelectFontColor READ SelectFontColor WRITE SetSelectFontColor)
    Q_PROPERTY(QColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(QColor SeparatorColor READ SeparatorColor WRITE SetSeparatorColor)
    Q_PROPERTY(QColor CheckedColor READ CheckedColor WRITE SetCheckedColor)
    Q_PROPERTY(int IconWidth READ IconWidth WRITE SetIconWidth)
    Q_PROPERTY(bool DrawSelect READ DrawSelect WRITE SetDrawSelect)
    Q_PROPERTY(bool UseSystemColors READ UseSystemColors WRITE SetUseSystemColors)
    Q_PROPERTY(bool OverrideOwnerDraw READ OverrideOwnerDraw WRITE SetOverrideOwnerDraw)
    Q_PROPERTY(bool Gradient READ Gradient WRITE SetGradient)
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE SetFlatMenu)
    Q_PROPERTY(bool AutoDetect READ AutoDetect WRITE SetAutoDetect)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    // The painter becomes a child of form (which may be null: then only attached menus are painted).
    explicit TMenuPainter(QWidget* form = nullptr);
    ~TMenuPainter() override;

    QWidget* Form() const { return form_; }

    // Also paint this menu (one that is not a child of the form, such as a tray menu without parent).
    void Attach(QMenu* menu);
    // Whether the painter currently paints the menu.
    bool Paints(const QMenu* menu) const;

    // An item picture instead of an image-list icon: the action shows the bitmap as it is (no mask, no
    // scaling), its bottom-left colour transparent when it has no alpha.
    void SetItemBitmap(QAction* action, const QPixmap& bitmap);

    // The system's menu font; a font named "MS Sans Serif" becomes "Tahoma".
    static QFont SystemMenuFont();

    QFont Font() const { return font_; }
    void SetFont(const QFont& font);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color) { fontColor_ = color; }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; }
    QColor IconBackColor() const { return iconBackColor_; }
    void SetIconBackColor(const QColor& color) { iconBackColor_ = color; }
    QColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(const QColor& color) { menuBarColor_ = color; }
    QColor SelectColor() const { return selectColor_; }
    void SetSelectColor(const QColor& color) { selectColor_ = color; }
    QColor SelectBorderColor() const { return selectBorderColor_; }
    void SetSelectBorderColor(const QColor& color) { selectBorderColor_ = color; }
    QColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(const QColor& color) { selectFontColor_ = color; }
    QColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(const QColor& color) { disabledColor_ = color; }
    QColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(const QColor& color) { separatorColor_ = color; }
    QColor CheckedColor() const { return checkedColor_; }
    void SetCheckedColor(const QColor& color) { checkedColor_ = color; }
    int IconWidth() const { return iconWidth_; }
    void SetIconWidth(int width);
    bool DrawSelect() const { return drawSelect_; }
    void SetDrawSelect(bool value) { drawSelect_ = value; }
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool value);
    bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
    void SetOverrideOwnerDraw(bool value);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool value) { gradient_ = value; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool value) { flatMenu_ = value; }
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool value) { autoDetect_ = value; }
    bool Active() const { return active_; }
    // True releases every menu and takes them over again (so a changed rule applies); false releases.
    void SetActive(bool value);

    // Bits per pixel the painter assumes; 0 (the default) asks the painted device. 15 or fewer is low colour.
    int ColorDepth() const { return colorDepth_; }
    void SetColorDepth(int bits) { colorDepth_ = bits; }

    TMenuColors WorkingColors(const QPalette& palette, bool highColor) const;
    // The font measuring and drawing use: the system's menu font while UseSystemColors is set.
    QFont EffectiveFont() const;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ItemIcon;
    struct TakenMenu {
        QPointer<QMenu> menu;
        QPointer<QStyle> previousStyle; // null: the menu followed the application style
    };

    ItemIcon IconOf(const QStyleOptionMenuItem& item) const;
    QSize MeasureItem(const QStyleOptionMenuItem& item, QSize size) const;
    void DrawItem(const QStyleOptionMenuItem& item, QPainter& painter, const QWidget* widget) const;
    bool HighColor(const QPainter& painter) const;

    std::vector<QMenu*> OwnMenus() const;
    void TakeOverAll();
    void TakeOver(QMenu* menu, int depth = 0);
    void ReleaseAll();
    void Release(QMenu* menu);
    void ScheduleAutoDetect(QObject* child);
    void RunAutoDetect();
    void Remeasure();

    QPointer<QWidget> form_;
    std::vector<QPointer<QMenu>> attached_;
    std::vector<TakenMenu> taken_;
    std::vector<QPointer<QObject>> addedChildren_;
    bool autoDetectPending_ = false;
    QHash<qint64, QImage> itemBitmaps_; // by the cache key of the icon standing for the bitmap

    QFont font_;
    QColor fontColor_;
    QColor color_;
    QColor iconBackColor_;
    QColor menuBarColor_;
    QColor selectColor_;
    QColor selectBorderColor_;
    QColor selectFontColor_;
    QColor disabledColor_;
    QColor separatorColor_;
    QColor checkedColor_;
    int iconWidth_ = 24;
    bool drawSelect_ = true;
    bool useSystemColors_ = true;
    bool overrideOwnerDraw_ = false;
    bool gradient_ = false;
    bool flatMenu_ = false;
    bool autoDetect_ = false;
    bool active_ = false;
    int colorDepth_ = 0;
};

} // namespace tarvix
