#include "app/RowToolTip.h"

#include "app/Main.h"
#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"
#include "relay/Traffic.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"
#include "ui_Main.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QLocale>
#include <QToolTip>
#include <QTranslator>

#include <array>

namespace tarvix {
namespace {

// Numbers are written the way the language of the texts writes them.
QLocale TextLocale()
{
    const QTranslator* module = CatalogueModule();
    return module && !module->language().isEmpty() ? QLocale(module->language())
                                                   : QLocale(QLocale::French, QLocale::France);
}

std::string Count(std::uint64_t n, const QLocale& locale)
{
    return locale.toString(static_cast<qulonglong>(n)).toStdString();
}

// Bytes in the largest unit that keeps the number at least 1; one decimal below 100.
std::string ReadableSize(std::uint64_t bytes, const QLocale& locale)
{
    constexpr std::array kUnits{msg::SizeBytes, msg::SizeKilobytes, msg::SizeMegabytes, msg::SizeGigabytes};
    if (bytes < 1024)
        return FormatRes(kUnits[0], {Count(bytes, locale)});
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < kUnits.size()) {
        value /= 1024;
        ++unit;
    }
    const QString number = locale.toString(value, 'f', value < 100 ? 1 : 0);
    return FormatRes(kUnits[unit], {number.toStdString()});
}

// The time of day with its seconds, and the date too when it is not today.
std::string FailureTime(std::chrono::system_clock::time_point time, const QLocale& locale)
{
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count());
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t')); // the time zone says nothing here
    QString text = locale.toString(when.time(), format.trimmed());
    if (when.date() != QDate::currentDate())
        text = locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') + text;
    return text.toStdString();
}

} // namespace

QString RowToolTipText(TfMain& main, int index)
{
    const TMappingItem* row = main.Row(index);
    if (!row)
        return {};
    QStringList lines;
    if (!row->text(0).isEmpty())
        lines << row->text(0);

    std::string host;
    int port = 0;
    if (row->instance) {
        host = row->instance->NetMappedPortTCP().MappedHost();
        port = row->instance->NetMappedPortTCP().MappedPort();
    } else {
        const QString section = main.Settings().SectionName(index);
        host = main.Settings().ReadString(section, record::kAddress, QString()).toStdString();
        port = main.Settings().ReadInteger(section, record::kPort, record::kDefaultPort);
    }
    lines << QString::fromStdString(FormatRes(msg::TipTarget, {host, std::int64_t{port}}));
    // Where it listens and whom it admits, when not the default: as stored, which is what an active row runs.
    const QString section = main.Settings().SectionName(index);
    if (const QString listen = ReadRecordListenAddress(main.Settings(), section); !listen.isEmpty())
        lines << QString::fromStdString(FormatRes(msg::TipListensOn, {listen.toStdString()}));
    const QString allowFrom = ReadRecordAllowFrom(main.Settings(), section);
    if (!allowFrom.isEmpty())
        lines << QString::fromStdString(FormatRes(msg::TipAllowFrom, {allowFrom.toStdString()}));
    if (!row->instance && !row->failure.isEmpty()) {
        QString reason = row->failure;
        reason.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '));
        lines << QString::fromStdString(FormatRes(msg::TipActivationFailed, {reason.simplified().toStdString()}));
    }

    if (row->instance) {
        const TNetTrafficSnapshot traffic = row->instance->Traffic();
        const QLocale locale = TextLocale();
        lines << QString::fromStdString(
            FormatRes(traffic.open == 1 ? msg::TipTrafficOne : msg::TipTraffic,
                      {Count(traffic.open, locale), Count(traffic.accepted, locale),
                       ReadableSize(traffic.bytesFromClients, locale), ReadableSize(traffic.bytesToClients, locale)}));
        if (!allowFrom.isEmpty() || traffic.refused > 0)
            lines << QString::fromStdString(FormatRes(traffic.refused == 1 ? msg::TipRefusedOne : msg::TipRefused,
                                                      {Count(traffic.refused, locale)}));
        if (const auto& failure = traffic.lastOutboundFailure)
            lines << QString::fromStdString(FormatRes(
                msg::TipLastFailure, {FailureTime(failure->time, locale), OutboundFailureText(failure->socketCode)}));
    }
    return lines.join(QLatin1Char('\n'));
}

TRowToolTip::TRowToolTip(TfMain& main) : QObject(&main), main_(main)
{
    setObjectName(QStringLiteral("RowToolTip"));
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TRowToolTip::Refresh);
    main_.Form().List->viewport()->installEventFilter(this);
}

bool TRowToolTip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidget* list = main_.Form().List;
    QTreeWidgetItem* item = list->itemAt(help->pos());
    if (!item) {
        QToolTip::hideText();
        refresh_.stop();
        rowId_ = 0;
        return true;
    }
    globalPos_ = help->globalPos();
    Show(list->indexOfTopLevelItem(item));
    return true;
}

void TRowToolTip::Show(int index)
{
    QTreeWidget* list = main_.Form().List;
    const TMappingItem* row = main_.Row(index);
    shown_ = RowToolTipText(main_, index);
    rowId_ = row->id;
    // Rich text made from plain text, so that a name that looks like markup shows as it is written; each
    // line whole, as the tip of a cut name is there to show it whole.
    QString html = shown_.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QLatin1String("</nobr><br><nobr>"));
    QToolTip::showText(globalPos_, QLatin1String("<nobr>") + html + QLatin1String("</nobr>"), list->viewport(),
                       list->visualItemRect(row));
    refresh_.start();
}

void TRowToolTip::Refresh()
{
    int index = -1;
    for (int i = 0; i < main_.RowCount() && index < 0; ++i)
        if (main_.Row(i)->id == rowId_)
            index = i;
    if (!QToolTip::isVisible() || index < 0) {
        if (index < 0)
            QToolTip::hideText();
        refresh_.stop();
        rowId_ = 0;
        return;
    }
    if (RowToolTipText(main_, index) != shown_)
        Show(index);
}

} // namespace tarvix
