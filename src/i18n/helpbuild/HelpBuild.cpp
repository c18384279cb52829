// Build tool: turns a help source written in Markdown into the PDF document that the program opens.
//   tarvix-helpbuild <source.md> <output.pdf>
// Pictures are named relative to the source's folder. Runs without a display.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";
const QColor kHeadingColour(0x1f, 0x3a, 0x68);
const QColor kRuleColour(0xb0, 0xb8, 0xc8);
const QColor kHeaderShade(0xe8, 0xed, 0xf5);
const QColor kCodeShade(0xf2, 0xf2, 0xf2);
constexpr int kPictureSize = 16; // the state images are 16 x 16; their @2x files keep them sharp in print

// Loads every picture the text names into the document, shown at the size of the program's images.
// Returns the names that could not be read.
QStringList EmbedPictures(QTextDocument& document, const QString& folder)
{
    QStringList missing;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QString name = picture.name();
            const QImage image(folder + u'/' + name);
            if (image.isNull()) {
                missing << name;
                continue;
            }
            // Absolute names: printing lays out a copy of the document that has no base address.
            const QUrl url = QUrl::fromLocalFile(QFileInfo(folder + u'/' + name).canonicalFilePath());
            document.addResource(QTextDocument::ImageResource, url, image);
            picture.setName(url.toString());
            picture.setWidth(kPictureSize);
            picture.setHeight(kPictureSize);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
    return missing;
}

// Thin rules, some air in the cells and a shaded header row.
void StyleTables(QTextFrame* frame)
{
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(kRuleColour);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellPadding(4);
            format.setCellSpacing(0);
            format.setTopMargin(4);
            format.setBottomMargin(8);
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat shade = cell.format();
                shade.setBackground(kHeaderShade);
                cell.setFormat(shade);
            }
        }
        StyleTables(child);
    }
}

bool IsCode(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    return format.hasProperty(QTextFormat::BlockCodeFence) || format.nonBreakableLines();
}

// Headings in the house colour; code lines kept together on a shaded band; some air after paragraphs.
void Style(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        QTextCursor cursor(block);
        QTextBlockFormat spacing = block.blockFormat();
        if (level > 0) {
            spacing.setTopMargin(level == 1 ? 0 : 14);
            spacing.setBottomMargin(6);
            cursor.setBlockFormat(spacing);
            cursor.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat colour;
            colour.setForeground(kHeadingColour);
            cursor.mergeCharFormat(colour);
        } else if (IsCode(block)) {
            const bool first = !block.previous().isValid() || !IsCode(block.previous());
            const bool last = !block.next().isValid() || !IsCode(block.next());
            spacing.setTopMargin(first ? 4 : 0);
            spacing.setBottomMargin(last ? 8 : 0);
            spacing.setLeftMargin(8);
            spacing.setBackground(kCodeShade);
            cursor.setBlockFormat(spacing);
            cursor.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat size;
            size.setFontPointSize(9);
            cursor.mergeCharFormat(size);
        } else if (spacing.bottomMargin() < 4) {
            spacing.setBottomMargin(4);
            cursor.setBlockFormat(spacing);
        }
    }
}

int Fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "tarvix-helpbuild: %s: %s\n", what, qPrintable(path));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tarvix-helpbuild <source.md> <output.pdf>\n");
        return 2;
    }
    const QString sourcePath = args[1];
    const QString outputPath = args[2];

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return Fail("cannot read", sourcePath);
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(sourcePath).absolutePath() + u'/'));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (const QStringList missing = EmbedPictures(document, QFileInfo(sourcePath).absolutePath()); !missing.isEmpty())
        return Fail("missing pictures", missing.join(QStringLiteral(", ")));
    Style(document);
    StyleTables(document.rootFrame());

    // The title is the first heading.
    const QString title = document.begin().text();

    // Written to a temporary name first so that a failed run never leaves a truncated document behind.
    const QString partial = outputPath + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("TARVIX Port Mapping"));
        writer.setResolution(300);
        // Printing adds margins of its own (2 cm) and sets the page number in the bottom one.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (QFileInfo(partial).size() == 0)
        return Fail("nothing written", partial);
    QFile::remove(outputPath);
    if (!QFile::rename(partial, outputPath))
        return Fail("cannot write", outputPath);
    return 0;
}
