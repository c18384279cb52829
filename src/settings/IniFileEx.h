#pragma once
// The settings store: a whole INI file held in memory, every line kept as it was read, written back as a whole.
#include "base/Exceptions.h"
#include "settings/InOutError.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace tarvix {

// A value the store cannot keep: a key, section name or value that would not read back as written.
class EIniFileExException : public Exception {
public:
    using Exception::Exception;
};

class TIniFileEx {
public:
    // Loads the file when the name is not empty.
    explicit TIniFileEx(const QString& fileName = {});
    ~TIniFileEx();
    TIniFileEx(const TIniFileEx&) = delete;
    TIniFileEx& operator=(const TIniFileEx&) = delete;

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    bool Modified() const { return modified_; }

    // Section names in list order: row i of the mapping list is section i.
    QStringList Sections() const;
    int SectionCount() const { return int(sections_.size()); }
    QString SectionName(int index) const;
    bool SectionExists(const QString& section) const { return Find(section) != nullptr; }
    // The lines of a section as held, without its header; for checks of what a file holds.
    QByteArrayList SectionRawLines(int index) const;

    // Replaces the contents with the file's. A missing file leaves the store empty; a file that exists but
    // cannot be read raises EInOutError, and Save then refuses to overwrite it until a Load succeeds.
    void Load();
    // Writes the whole file when Modified, through a temporary file renamed over it: the file on disk is
    // always the old or the new one. Raises EInOutError on failure; Modified then stays set.
    bool Save();
    void Clear();
    void EraseSection(const QString& section);

    bool ValueExists(const QString& section, const QString& key) const;
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Raise EConvertError when the stored text is not an integer.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // An empty value removes the key's line. Raise EIniFileExException for text the file cannot hold
    // (a line break or end-of-file mark anywhere, "=" in a key, a key that begins with "[").
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // Whether a file of that name exists; a bare name is also looked for beside the executable and along
    // the PATH, and then replaced by the path where it was found.
    bool LocateFile(QString& name) const;

private:
    struct Section {
        QByteArray rawName; // as written between the brackets
        QString name;
        QString folded;
        QByteArrayList lines;
    };

    Section* Find(const QString& name) const;
    Section& FindOrAddSection(const QString& name);
    Section& AddSection(QByteArray rawName, QString name);
    static QByteArrayList& SectionLines(Section& section);
    static qsizetype KeyLineIndex(const QByteArrayList& lines, const QString& key);
    const QByteArray* FindKeyLine(const QString& section, const QString& key) const;
    void SortSections();
    void Parse(const QByteArray& data);
    QByteArray Serialise() const;

    QString fileName_;
    bool sorted_ = true;
    bool modified_ = false;
    std::vector<std::unique_ptr<Section>> sections_;
    QHash<QString, Section*> index_; // by folded name
    // The file a failed Load could not read, and why: saving over it would lose what it holds.
    std::optional<std::pair<QString, int>> unreadFile_;

public:
    // The contents as they stand, to be put back exactly after a change that could not be saved.
    class Snapshot {
        friend class TIniFileEx;
        std::vector<Section> sections_;
        bool modified_ = false;
    };
    Snapshot TakeSnapshot() const;
    void RestoreSnapshot(const Snapshot& snapshot);
};

} // namespace tarvix
