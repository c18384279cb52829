#include "ui/MenuPainter.h"

#include "ui/MenuColors.h"

#include <QAction>
#include <QApplication>
#include <QChildEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace tarvix {

namespace {

constexpr int kMaxMenuDepth = 16;      // guards against a menu reachable from itself
constexpr int kSubmenuArrowSpace = 12; // reserved at the right of every item, as the system adds it
constexpr int kMenuBorder = 3;

// A rectangle from its left/top edges and its exclusive right/bottom edges.
QRect Span(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

void Frame(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), color);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), color);
}

void FillFramed(QPainter& painter, const QRect& rect, const QColor& frame, const QColor& fill)
{
    painter.fillRect(rect, fill);
    Frame(painter, rect, frame);
}

// A one-pixel line from (x0, y0) up to, not including, (x1, y1).
void Segment(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& color)
{
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i < steps; ++i) {
        const int x = x0 + RoundHalfEven(double(i) * (x1 - x0) / steps);
        const int y = y0 + RoundHalfEven(double(i) * (y1 - y0) / steps);
        painter.fillRect(x, y, 1, 1, color);
    }
}

// The tick in a 10 x 10 box at (l, t); its long stroke reaches past the box's top right corner.
void Tick(QPainter& painter, int l, int t)
{
    const QColor black(Qt::black);
    Segment(painter, l + 1, t + 5, l + 4, t + 8, black);
    Segment(painter, l + 2, t + 5, l + 4, t + 7, black);
    Segment(painter, l + 2, t + 4, l + 5, t + 7, black);
    Segment(painter, l + 4, t + 7, l + 12, t - 1, black);
    Segment(painter, l + 4, t + 8, l + 8, t + 3, black);
}

// A small solid triangle pointing right, its tip column at x.
void SubmenuArrow(QPainter& painter, int x, int centreY, const QColor& color)
{
    for (int i = 0; i < 4; ++i)
        painter.fillRect(x - 3 + i, centreY - 3 + i, 1, 7 - 2 * i, color);
}

template <typename Visit>
void ForEachMenu(QMenu* menu, Visit&& visit, int depth = 0)
{
    if (menu == nullptr || depth > kMaxMenuDepth)
        return;
    visit(menu);
    for (QAction* action : menu->actions())
        if (QMenu* sub = action->menu(); sub != nullptr && sub != menu)
            ForEachMenu(sub, visit, depth + 1);
}

} // namespace

struct TMenuPainter::ItemIcon {
    enum Kind { None, ImageList, Bitmap } kind = None;
    QSize size;
    QImage bitmap; // for Bitmap
};

TMenuPainter::TMenuPainter(QWidget* form)
    : QProxyStyle(QApplication::style() != nullptr ? QApplication::style()->name() : QString()), form_(form)
{
    const QPalette palette = QApplication::palette("QMenu");
    font_ = SystemMenuFont();
    fontColor_ = palette.color(QPalette::Active, QPalette::WindowText);
    color_ = palette.color(QPalette::Active, QPalette::Button);
    iconBackColor_ = color_;
    menuBarColor_ = color_;
    separatorColor_ = color_;
    selectColor_ = palette.color(QPalette::Active, QPalette::Highlight);
    selectBorderColor_ = selectColor_;
    checkedColor_ = selectColor_;
    selectFontColor_ = fontColor_;
    disabledColor_ = palette.color(QPalette::Disabled, QPalette::WindowText);
    if (form != nullptr) {
        setParent(form);
        form->installEventFilter(this);
    }
}

TMenuPainter::~TMenuPainter()
{
    // Only the menus taken over here: the form may be half destroyed. Any other menu carrying this style
    // falls back to the application style by itself.
    for (const TakenMenu& t : taken_)
        if (t.menu != nullptr)
            Release(t.menu);
}

QFont TMenuPainter::SystemMenuFont()
{
    QFont font = QApplication::font("QMenu");
    if (font.family().compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        font.setFamily(QStringLiteral("Tahoma"));
    return font;
}

QFont TMenuPainter::EffectiveFont() const
{
    // Measuring and drawing must agree, or a first showing measures one font and draws another.
    return useSystemColors_ ? SystemMenuFont() : font_;
}

void TMenuPainter::SetFont(const QFont& font)
{
    font_ = font;
    Remeasure();
}

void TMenuPainter::SetIconWidth(int width)
{
    iconWidth_ = width;
    Remeasure();
}

void TMenuPainter::SetUseSystemColors(bool value)
{
    useSystemColors_ = value;
    Remeasure();
}

void TMenuPainter::SetOverrideOwnerDraw(bool value)
{
    overrideOwnerDraw_ = value;
    if (active_)
        SetActive(true);
}

void TMenuPainter::SetActive(bool value)
{
    active_ = value;
    ReleaseAll();
    if (value)
        TakeOverAll();
}

void TMenuPainter::Attach(QMenu* menu)
{
    if (menu == nullptr)
        return;
    const bool known =
        std::any_of(attached_.begin(), attached_.end(), [menu](const QPointer<QMenu>& m) { return m == menu; });
    if (!known)
        attached_.emplace_back(menu);
    if (active_)
        TakeOver(menu);
}

bool TMenuPainter::Paints(const QMenu* menu) const
{
    return menu != nullptr && menu->style() == this;
}

void TMenuPainter::SetItemBitmap(QAction* action, const QPixmap& bitmap)
{
    const QIcon icon(bitmap);
    itemBitmaps_.insert(icon.cacheKey(), WithTransparency(bitmap.toImage()));
    action->setIcon(icon);
}

std::vector<QMenu*> TMenuPainter::OwnMenus() const
{
    std::vector<QMenu*> menus;
    if (form_ != nullptr)
        for (QMenu* menu : form_->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            menus.push_back(menu);
    for (const QPointer<QMenu>& menu : attached_)
        if (menu != nullptr && std::find(menus.begin(), menus.end(), menu.data()) == menus.end())
            menus.push_back(menu.data());
    return menus;
}

void TMenuPainter::TakeOverAll()
{
    for (QMenu* menu : OwnMenus())
        TakeOver(menu);
}

void TMenuPainter::TakeOver(QMenu* menu, int depth)
{
    ForEachMenu(
        menu,
        [this](QMenu* m) {
            if (m->style() == this || (m->testAttribute(Qt::WA_SetStyle) && !overrideOwnerDraw_))
                return;
            QStyle* previous = m->testAttribute(Qt::WA_SetStyle) ? m->style() : nullptr;
            std::erase_if(taken_, [m](const TakenMenu& t) { return t.menu == nullptr || t.menu == m; });
            taken_.push_back({m, previous});
            m->setStyle(this);
        },
        depth);
}

void TMenuPainter::Release(QMenu* menu)
{
    if (menu->style() != this)
        return; // never ours, or restyled by someone else since
    QStyle* previous = nullptr;
    for (const TakenMenu& t : taken_)
        if (t.menu == menu)
            previous = t.previousStyle.data();
    menu->setStyle(previous);
}

void TMenuPainter::ReleaseAll()
{
    for (const TakenMenu& t : taken_)
        if (t.menu != nullptr)
            Release(t.menu);
    // Menus that carry this style without having been taken over here.
    for (QMenu* menu : OwnMenus())
        ForEachMenu(menu, [this](QMenu* m) { Release(m); });
    taken_.clear();
}

void TMenuPainter::Remeasure()
{
    for (const TakenMenu& t : taken_)
        if (t.menu != nullptr && t.menu->style() == this) {
            QEvent change(QEvent::StyleChange);
            QCoreApplication::sendEvent(t.menu, &change);
        }
}

bool TMenuPainter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == form_ && event->type() == QEvent::ChildAdded)
        ScheduleAutoDetect(static_cast<QChildEvent*>(event)->child());
    return QProxyStyle::eventFilter(watched, event);
}

void TMenuPainter::ScheduleAutoDetect(QObject* child)
{
    if (!autoDetect_)
        return;
    // The child is not fully constructed yet: look at its type once the event loop runs again.
    addedChildren_.emplace_back(child);
    if (autoDetectPending_)
        return;
    autoDetectPending_ = true;
    QTimer::singleShot(0, this, &TMenuPainter::RunAutoDetect);
}

void TMenuPainter::RunAutoDetect()
{
    autoDetectPending_ = false;
    const auto children = std::move(addedChildren_);
    addedChildren_.clear();
    if (!autoDetect_)
        return;
    const bool menuItemAdded = std::any_of(children.begin(), children.end(), [this](const QPointer<QObject>& c) {
        return c != nullptr && c->parent() == form_ &&
               (qobject_cast<QMenu*>(c) != nullptr || qobject_cast<QAction*>(c) != nullptr ||
                qobject_cast<QToolButton*>(c) != nullptr);
    });
    if (menuItemAdded)
        SetActive(true);
}

TMenuColors TMenuPainter::WorkingColors(const QPalette& palette, bool highColor) const
{
    const QColor btnFace = palette.color(QPalette::Active, QPalette::Button);
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor btnShadow = palette.color(QPalette::Active, QPalette::Dark);
    const QColor menuText = palette.color(QPalette::Active, QPalette::WindowText);
    const QColor white(Qt::white);

    TMenuColors c;
    if (useSystemColors_) {
        c.itemBackground = highColor ? Lighten(btnFace, 86) : white;
        c.iconColumn = highColor ? Lighten(btnFace, 16) : btnFace;
        c.selectFill = highColor ? Lighten(highlight, 68) : white;
        c.selectFrame = highlight;
        c.selectedText = menuText;
        c.menuBar = btnFace;
        c.disabledText = highColor ? Lighten(btnShadow, 10) : btnShadow;
        c.checkedFrame = highlight;
        c.separator = highColor ? Lighten(btnShadow, 25) : btnShadow;
        c.checkArea = highColor ? Lighten(highlight, 75) : white;
        c.checkAreaSelected = highColor ? Lighten(highlight, 50) : white;
    } else {
        c.itemBackground = color_;
        c.iconColumn = iconBackColor_;
        c.selectFill = selectColor_;
        c.selectFrame = selectBorderColor_;
        c.selectedText = selectFontColor_;
        c.menuBar = menuBarColor_;
        c.disabledText = disabledColor_;
        c.checkedFrame = checkedColor_;
        c.separator = separatorColor_;
        c.checkArea = highColor ? Lighten(selectColor_, 75) : white;
        c.checkAreaSelected = highColor ? Lighten(selectColor_, 50) : QColor(0xC0, 0xC0, 0xC0);
    }
    c.menuBorder = highColor ? Darken(btnFace, 90) : btnShadow;
    c.menuShadow = highColor ? Darken(btnFace, 76) : btnShadow;
    return c;
}

bool TMenuPainter::HighColor(const QPainter& painter) const
{
    const int depth = colorDepth_ > 0 ? colorDepth_ : (painter.device() != nullptr ? painter.device()->depth() : 32);
    return depth > 15;
}

TMenuPainter::ItemIcon TMenuPainter::IconOf(const QStyleOptionMenuItem& item) const
{
    ItemIcon icon;
    if (item.icon.isNull())
        return icon;
    if (auto found = itemBitmaps_.constFind(item.icon.cacheKey()); found != itemBitmaps_.constEnd()) {
        icon.kind = ItemIcon::Bitmap;
        icon.bitmap = *found;
        icon.size = found->size();
        return icon;
    }
    const int side = proxy()->pixelMetric(PM_SmallIconSize, &item, nullptr);
    icon.kind = ItemIcon::ImageList;
    icon.size = QSize(side, side);
    return icon;
}

QSize TMenuPainter::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const
{
    if (type == CT_MenuItem && active_)
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
            if (item->menuItemType <= QStyleOptionMenuItem::SubMenu)
                return MeasureItem(*item, size);
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

QSize TMenuPainter::MeasureItem(const QStyleOptionMenuItem& item, QSize size) const
{
    const bool separator = item.menuItemType == QStyleOptionMenuItem::Separator;
    const QFontMetrics metrics(EffectiveFont());
    const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
    QString text = separator ? QString() : item.text.left(tab);
    // The menu itself reserves the shortcut's width; "WWW" is the gap before it.
    if (!separator && tab >= 0)
        text += QLatin1String("WWW");
    int width = metrics.horizontalAdvance(text);
    if (text.contains(QLatin1Char('&')))
        width -= metrics.horizontalAdvance(QLatin1Char('&'));
    const ItemIcon icon = IconOf(item);
    width += std::max(icon.size.width(), iconWidth_) + 10 + kSubmenuArrowSpace;
    size.setWidth(std::max(size.width(), width));

    if (separator) {
        size.setHeight(4);
    } else {
        const int textHeight = metrics.height();
        const int height = std::max(textHeight + RoundHalfEven(textHeight * 0.75), icon.size.height() + 4);
        size.setHeight(std::max(size.height(), height));
    }
    return size;
}

void TMenuPainter::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (element == CE_MenuItem && active_ && painter != nullptr)
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
            if (item->menuItemType <= QStyleOptionMenuItem::SubMenu) {
                painter->save();
                DrawItem(*item, *painter, widget);
                painter->restore();
                // Submenus added since the menu was taken over are taken over before they can show.
                if (const auto* menu = qobject_cast<const QMenu*>(widget); menu != nullptr && menu->style() == this)
                    const_cast<TMenuPainter*>(this)->TakeOver(const_cast<QMenu*>(menu));
                return;
            }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int TMenuPainter::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (active_) {
        // The raised three-pixel border of a popup menu, the items right inside it.
        if (metric == PM_MenuPanelWidth)
            return kMenuBorder;
        if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
            return 0;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int TMenuPainter::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    // The selection moves onto disabled items too; they are drawn without it.
    if (hint == SH_Menu_AllowActiveAndDisabled && active_)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void TMenuPainter::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (active_ && option != nullptr && painter != nullptr) {
        const QPalette& palette = option->palette;
        const QRect r = option->rect;
        if (element == PE_PanelMenu) {
            painter->fillRect(r, palette.color(QPalette::Active, QPalette::Button));
            return;
        }
        if (element == PE_FrameMenu) {
            const auto edge = [&](int inset, QPalette::ColorRole topLeft, QPalette::ColorRole bottomRight) {
                const QRect e = r.adjusted(inset, inset, -inset, -inset);
                const QColor tl = palette.color(QPalette::Active, topLeft);
                const QColor br = palette.color(QPalette::Active, bottomRight);
                painter->fillRect(e.left(), e.top(), e.width(), 1, tl);
                painter->fillRect(e.left(), e.top(), 1, e.height(), tl);
                painter->fillRect(e.left(), e.bottom(), e.width(), 1, br);
                painter->fillRect(e.right(), e.top(), 1, e.height(), br);
            };
            painter->fillRect(r, palette.color(QPalette::Active, QPalette::Button));
            edge(0, QPalette::Midlight, QPalette::Shadow);
            edge(1, QPalette::Light, QPalette::Dark);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TMenuPainter::DrawItem(const QStyleOptionMenuItem& item, QPainter& p, const QWidget* widget) const
{
    const bool high = HighColor(p);
    const TMenuColors colors = WorkingColors(item.palette, high);
    const QFont font = EffectiveFont();
    const QColor fontColor = useSystemColors_ ? item.palette.color(QPalette::Active, QPalette::WindowText) : fontColor_;
    p.setFont(font);
    const QFontMetrics metrics(font, p.device());

    const bool selected = (item.state & State_Selected) != 0;
    const bool enabled = (item.state & State_Enabled) != 0;
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    const ItemIcon icon = IconOf(item);

    // Edges, right and bottom exclusive; the bottom reaches one pixel into the next item.
    const int left = item.rect.left();
    const int top = item.rect.top();
    const int right = item.rect.left() + item.rect.width();
    const int bottom = item.rect.top() + item.rect.height() + 1;
    const int height = bottom - top;
    const QRect iconColumn(left, top, iconWidth_, height);
    const QRect checkBox = icon.kind == ItemIcon::ImageList
                               ? Span(left + 1, top + 2, left + iconWidth_ - 3, bottom - 2)
                               : QRect(left + (iconWidth_ - 10) / 2, top + (height - 10) / 2, 10, 10);
    int textLeft = left + iconWidth_;
    if (icon.kind == ItemIcon::Bitmap)
        textLeft = std::max(textLeft, left + icon.size.width() + 4);

    // Background. A disabled item keeps its look under the pointer.
    if (gradient_ && high) {
        int shade = 0;
        for (int x = left; x <= right + 2; ++x) {
            shade = std::min(shade + ((x > left && x < left + iconWidth_ + 5) ? 3 : 1), 96);
            p.fillRect(x, top, 1, height, Lighten(colors.iconColumn, shade));
        }
    } else {
        p.fillRect(Span(left, top, right, bottom), colors.itemBackground);
        p.fillRect(iconColumn, colors.iconColumn);
    }

    if (selected && drawSelect_ && enabled)
        FillFramed(p, Span(left, top + 1, right - (flatMenu_ ? 1 : 0), bottom - 1), colors.selectFrame,
                   colors.selectFill);

    if (checked) {
        const QColor area = selected ? colors.checkAreaSelected : colors.checkArea;
        if (icon.kind == ItemIcon::ImageList) {
            FillFramed(p, checkBox, colors.selectFrame, area);
        } else {
            FillFramed(p, checkBox, colors.checkedFrame, area);
            Tick(p, checkBox.left(), checkBox.top());
        }
    }

    if (icon.kind != ItemIcon::None) {
        QImage image;
        if (icon.kind == ItemIcon::ImageList) {
            // At the device's pixel ratio, so a dense screen gets the icon's larger picture.
            const qreal ratio = p.device() != nullptr ? p.device()->devicePixelRatio() : 1.0;
            image = QImage(icon.size * ratio, QImage::Format_ARGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter imagePainter(&image);
            imagePainter.drawPixmap(
                0, 0, item.icon.pixmap(icon.size, ratio, QIcon::Normal, item.checked ? QIcon::On : QIcon::Off));
        } else {
            image = icon.bitmap;
        }
        int x = icon.size.width() > iconWidth_ ? left + 2 : left + (iconWidth_ - icon.size.width()) / 2 - 1;
        int y = top + 4;
        if (!enabled) {
            image = TransformPixels(image, Grey, 90);
        } else if (!checked && !selected && high) {
            image = TransformPixels(image, Lighten, 30);
        } else if (!checked && selected) {
            --x;
            --y;
            p.drawImage(x + 2, y + 2, Silhouette(image, Darken(colors.selectFill, 50)));
        }
        p.drawImage(x, y, image);
    }

    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        const int lineLeft = textLeft + 7;
        p.fillRect(lineLeft, top + RoundHalfEven((bottom - top) / 2.0), right - lineLeft, 1, colors.separator);
        return;
    }

    QColor textColor = fontColor;
    if (selected)
        textColor = colors.selectedText;
    if (!enabled)
        textColor = colors.disabledText;
    const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
    const QString caption = item.text.left(tab);
    const QString shortcut = tab >= 0 ? item.text.mid(tab + 1) : QString();
    const int textX = textLeft + 5;
    const int textY = top + (height - metrics.height()) / 2;
    const int mnemonic =
        proxy()->styleHint(SH_UnderlineShortcut, &item, widget) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    p.setPen(textColor);
    p.drawText(Span(textX, textY, right, textY + metrics.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | mnemonic, QLatin1Char(' ') + caption);
    if (!shortcut.isEmpty()) {
        p.setPen(high ? Darken(textColor, -40) : textColor);
        p.drawText(Span(textX, textY, right - 10, textY + metrics.height()),
                   Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, shortcut + QLatin1Char(' '));
    }
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        SubmenuArrow(p, right - 6, top + item.rect.height() / 2, textColor);
}

} // namespace tarvix
