#include "settings/IniFileEx.h"

#include "base/ExecutablePath.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "settings/IniText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvix {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr qsizetype kMaxSearchPath = 1000;

bool NamesAscending(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(kEndOfFile));
}

[[noreturn]] void RaiseUnstorable(const QString& what)
{
    throw EIniFileExException(FormatRes(msg::UnstorableText, {what.toStdString()}));
}

// errno is what the failing call left; Qt's own error kind decides when it left none.
int SaveErrorCode(const QSaveFile& file, int err)
{
    if (err != 0)
        return InOutCodeFromErrno(err, true);
    switch (file.error()) {
    case QFileDevice::ResourceError: return 101;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
    case QFileDevice::RenameError: return 5;
    default: return 29;
    }
}

// What an interrupted save leaves beside the file: the save's temporary copy, "<name>.XXXXXX". One that has
// not changed for a while belongs to no save under way.
void RemoveLeftTemporaries(const QString& fileName)
{
    constexpr int kQuietSeconds = 10;
    const QFileInfo target(fileName);
    const QString prefix = target.fileName() + u'.';
    const QDateTime quietSince = QDateTime::currentDateTimeUtc().addSecs(-kQuietSeconds);
    const QFileInfoList candidates =
        target.dir().entryInfoList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& left : candidates) {
        const QString suffix = left.fileName().mid(prefix.size());
        const bool temporaryName = std::all_of(suffix.begin(), suffix.end(),
                                               [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
        if (temporaryName && left.lastModified().toUTC() < quietSince)
            QFile::remove(left.filePath());
    }
}

} // namespace

TIniFileEx::TIniFileEx(const QString& fileName) : fileName_(fileName)
{
    if (!fileName_.isEmpty())
        Load();
}

TIniFileEx::~TIniFileEx() = default;

void TIniFileEx::SetFileName(const QString& name)
{
    if (name == fileName_)
        return;
    fileName_ = name;
    modified_ = true;
}

void TIniFileEx::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    sorted_ = sorted;
    if (sorted_)
        SortSections();
    modified_ = true;
}

QStringList TIniFileEx::Sections() const
{
    QStringList names;
    names.reserve(qsizetype(sections_.size()));
    for (const auto& s : sections_)
        names.append(s->name);
    return names;
}

QString TIniFileEx::SectionName(int index) const
{
    return sections_.at(std::size_t(index))->name;
}

QByteArrayList TIniFileEx::SectionRawLines(int index) const
{
    return sections_.at(std::size_t(index))->lines;
}

TIniFileEx::Section* TIniFileEx::Find(const QString& name) const
{
    return index_.value(FoldedName(name), nullptr);
}

TIniFileEx::Section& TIniFileEx::FindOrAddSection(const QString& name)
{
    if (Section* s = Find(name))
        return *s;
    return AddSection(name.toUtf8(), name);
}

TIniFileEx::Section& TIniFileEx::AddSection(QByteArray rawName, QString name)
{
    auto section = std::make_unique<Section>();
    section->rawName = std::move(rawName);
    section->name = std::move(name);
    section->folded = FoldedName(section->name);
    Section& added = *section;
    index_.insert(added.folded, &added);
    auto at = sections_.end();
    if (sorted_)
        at = std::lower_bound(sections_.begin(), sections_.end(), added.name,
                              [](const auto& s, const QString& n) { return NamesAscending(s->name, n); });
    sections_.insert(at, std::move(section));
    return added;
}

QByteArrayList& TIniFileEx::SectionLines(Section& section)
{
    while (!section.lines.isEmpty() && section.lines.constLast().isEmpty())
        section.lines.removeLast();
    return section.lines;
}

qsizetype TIniFileEx::KeyLineIndex(const QByteArrayList& lines, const QString& key)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf('=');
        if (eq >= 0 && SameName(QByteArrayView(lines[i].constData(), eq), key))
            return i;
    }
    return -1;
}

const QByteArray* TIniFileEx::FindKeyLine(const QString& section, const QString& key) const
{
    const Section* s = Find(section);
    const qsizetype i = s ? KeyLineIndex(s->lines, key) : -1;
    return i >= 0 ? &s->lines[i] : nullptr;
}

void TIniFileEx::SortSections()
{
    std::stable_sort(sections_.begin(), sections_.end(),
                     [](const auto& a, const auto& b) { return NamesAscending(a->name, b->name); });
}

TIniFileEx::Snapshot TIniFileEx::TakeSnapshot() const
{
    Snapshot snapshot;
    snapshot.sections_.reserve(sections_.size());
    for (const auto& section : sections_)
        snapshot.sections_.push_back(*section);
    snapshot.modified_ = modified_;
    return snapshot;
}

void TIniFileEx::RestoreSnapshot(const Snapshot& snapshot)
{
    index_.clear();
    sections_.clear();
    for (const Section& section : snapshot.sections_) {
        auto copy = std::make_unique<Section>(section);
        index_.insert(copy->folded, copy.get());
        sections_.push_back(std::move(copy));
    }
    modified_ = snapshot.modified_;
}

void TIniFileEx::Clear()
{
    if (sections_.empty())
        return;
    index_.clear();
    sections_.clear();
    modified_ = true;
}

void TIniFileEx::EraseSection(const QString& section)
{
    Section* s = Find(section);
    if (!s)
        return;
    index_.remove(s->folded);
    sections_.erase(std::find_if(sections_.begin(), sections_.end(), [s](const auto& p) { return p.get() == s; }));
    modified_ = true;
}

bool TIniFileEx::LocateFile(QString& name) const
{
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).isFile())
        return true;
#ifdef Q_OS_WIN
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
        return false;
#else
    if (name.contains(u'/'))
        return false;
#endif
    QStringList dirs;
    if (const QString exe = ExecutablePath(); !exe.isEmpty())
        dirs.append(QFileInfo(exe).absolutePath());
    if (const QString path = qEnvironmentVariable("PATH"); path.size() <= kMaxSearchPath)
        dirs += path.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        const QString candidate = dir + u'/' + name;
        if (QFileInfo(candidate).isFile()) {
            name = candidate;
            return true;
        }
    }
    return false;
}

void TIniFileEx::Load()
{
    Clear();
    const auto fail = [this](int code) {
        unreadFile_.emplace(fileName_, code);
        throw EInOutError(code);
    };
    // A folder (or any other non-file) where the file should be: say so rather than show an empty store.
    if (const QFileInfo info(fileName_); !fileName_.isEmpty() && info.exists() && !info.isFile())
        fail(5);
    QString name = fileName_;
    if (!LocateFile(name)) {
        unreadFile_.reset();
        return;
    }
    fileName_ = name;
    QFile file(name);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        fail(errno ? InOutCodeFromErrno(errno, false) : 5);
    errno = 0;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(errno ? InOutCodeFromErrno(errno, false) : 30);
    file.close();
    Parse(data);
    unreadFile_.reset();
    modified_ = false;
}

void TIniFileEx::Parse(const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype pos = data.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a byte-order mark is no part of the first line
    qsizetype end = data.indexOf(kEndOfFile, pos);
    if (end < 0)
        end = data.size();
    // Merged sections are found through the index; the list is put in order once at the end.
    const bool sorted = sorted_;
    sorted_ = false;
    const auto restore = qScopeGuard([&] {
        sorted_ = sorted;
        if (sorted_)
            SortSections();
    });
    Section* current = nullptr;
    while (pos < end) {
        const auto* lf = static_cast<const char*>(std::memchr(p + pos, '\n', std::size_t(end - pos)));
        const qsizetype lineEnd = lf ? lf - p : end;
        const auto* cr = static_cast<const char*>(std::memchr(p + pos, '\r', std::size_t(lineEnd - pos)));
        const QByteArrayView line(p + pos, (cr ? cr - p : lineEnd) - pos);
        pos = lf ? lineEnd + 1 : end;
        if (!line.isEmpty() && line.front() == '[') {
            // The empty line Save writes after every section is no part of it.
            if (current && !current->lines.isEmpty() && current->lines.constLast().isEmpty())
                current->lines.removeLast();
            const QByteArrayView raw = line.size() >= 2 ? line.sliced(1, line.size() - 2) : QByteArrayView();
            const QString name = DecodeIniText(raw);
            current = Find(name);
            if (current)
                SectionLines(*current);
            else
                current = &AddSection(raw.toByteArray(), name);
        } else if (current) {
            current->lines.append(line.toByteArray());
        }
    }
}

QByteArray TIniFileEx::Serialise() const
{
    qsizetype size = 0;
    for (const auto& s : sections_) {
        size += s->rawName.size() + 6;
        for (const QByteArray& line : s->lines)
            size += line.size() + 2;
    }
    QByteArray out;
    out.reserve(size);
    for (const auto& s : sections_) {
        if (s->lines.isEmpty())
            continue;
        out += '[';
        out += s->rawName;
        out += "]\r\n";
        for (const QByteArray& line : s->lines) {
            out += line;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

bool TIniFileEx::Save()
{
    if (!modified_)
        return true;
    if (unreadFile_ && unreadFile_->first == fileName_)
        throw EInOutError(unreadFile_->second);
    if (fileName_.isEmpty())
        throw EInOutError(3);
    if (const QFileInfo info(fileName_); info.exists() && !info.isFile())
        throw EInOutError(5);
    for (auto& s : sections_)
        SectionLines(*s);
    const QByteArray bytes = Serialise();

    QSaveFile file(fileName_);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw EInOutError(SaveErrorCode(file, errno));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int code = SaveErrorCode(file, errno);
        file.cancelWriting();
        throw EInOutError(code);
    }
    errno = 0;
    if (!file.commit())
        throw EInOutError(SaveErrorCode(file, errno));
    modified_ = false;
    // The save wrote beside the file a link points to, and so did an interrupted one.
    const QString written = QFileInfo(fileName_).canonicalFilePath();
    RemoveLeftTemporaries(written.isEmpty() ? fileName_ : written);
    return true;
}

bool TIniFileEx::ValueExists(const QString& section, const QString& key) const
{
    return FindKeyLine(section, key) != nullptr;
}

QString TIniFileEx::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QByteArray* line = FindKeyLine(section, key);
    if (!line)
        return defaultValue;
    return DecodeIniText(QByteArrayView(*line).sliced(line->indexOf('=') + 1));
}

int TIniFileEx::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString::number(defaultValue));
    if (const std::optional<int> value = ParseIniInteger(text))
        return *value;
    throw EConvertError(FormatRes(msg::NotAnInteger, {text.toStdString()}));
}

bool TIniFileEx::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    const QString text = ReadString(section, key, defaultValue ? QStringLiteral("1") : QStringLiteral("0"));
    if (const std::optional<int> value = ParseIniInteger(text))
        return (*value & 0xFF) != 0;
    throw EConvertError(FormatRes(msg::NotAnInteger, {text.toStdString()}));
}

void TIniFileEx::WriteString(const QString& section, const QString& key, const QString& value)
{
    // Anything that would read back otherwise is refused before the store changes.
    if (HasLineBreak(section))
        RaiseUnstorable(section);
    if (HasLineBreak(key) || key.contains(u'=') || key.startsWith(u'[') || HasLineBreak(value))
        RaiseUnstorable(key);

    QByteArrayList& lines = SectionLines(FindOrAddSection(section));
    modified_ = true;
    const qsizetype found = KeyLineIndex(lines, key);
    if (value.isEmpty()) {
        if (found >= 0)
            lines.removeAt(found);
        return;
    }
    QByteArray line = key.toUtf8();
    line += '=';
    line += value.toUtf8();
    if (found >= 0)
        lines[found] = std::move(line);
    else
        lines.append(std::move(line));
}

void TIniFileEx::WriteInteger(const QString& section, const QString& key, int value)
{
    try {
        WriteString(section, key, QString::number(value));
    } catch (const std::exception&) {
        throw EIniFileExException(FormatRes(msg::BadIntegerStore, {key.toStdString()}));
    }
}

void TIniFileEx::WriteBool(const QString& section, const QString& key, bool value)
{
    try {
        WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const std::exception&) {
        throw EIniFileExException(FormatRes(msg::BadBooleanStore, {key.toStdString()}));
    }
}

} // namespace tarvix
