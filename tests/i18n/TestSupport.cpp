#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QXmlStreamReader>

namespace tarvix::test {

void EnsureGuiApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_i18n";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

TsFile ReadTs(const QString& path, QStringList& errors)
{
    TsFile messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << path + QStringLiteral(": cannot open");
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"context") {
            context.clear();
        } else if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            QString source, comment, translation;
            bool unfinished = false;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    source = xml.readElementText();
                } else if (xml.name() == u"comment") {
                    comment = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    const QStringView type = xml.attributes().value(QLatin1String("type"));
                    unfinished = !type.isEmpty(); // unfinished, vanished, obsolete
                    translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages[{context, source, comment}] = {translation, !unfinished && !translation.isEmpty()};
        }
    }
    if (xml.hasError())
        errors << QStringLiteral("%1: %2 at line %3").arg(path, xml.errorString()).arg(xml.lineNumber());
    return messages;
}

std::vector<UiCaption> ReadUiCaptions(const QString& path, QStringList& errors)
{
    std::vector<UiCaption> captions;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << path + QStringLiteral(": cannot open");
        return captions;
    }
    QXmlStreamReader xml(&file);
    QString formClass;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"class" && formClass.isEmpty()) {
            formClass = xml.readElementText();
        } else if (xml.name() == u"string") {
            const auto attributes = xml.attributes();
            const QString comment = attributes.value(QLatin1String("comment")).toString();
            const bool untranslated = attributes.value(QLatin1String("notr")) == u"true";
            const QString text = xml.readElementText();
            if (!untranslated && !text.isEmpty())
                captions.push_back({formClass, text, comment});
        }
    }
    if (xml.hasError())
        errors << QStringLiteral("%1: %2").arg(path, xml.errorString());
    return captions;
}

QString TsDir()
{
    return QStringLiteral(TARVIX_SOURCE_DIR "/resources/i18n");
}

QStringList UiFiles()
{
    QDir forms(QStringLiteral(TARVIX_SOURCE_DIR "/resources/forms"));
    QStringList files;
    for (const QString& name : forms.entryList({QStringLiteral("*.ui")}, QDir::Files, QDir::Name))
        files << forms.absoluteFilePath(name);
    return files;
}

} // namespace tarvix::test
