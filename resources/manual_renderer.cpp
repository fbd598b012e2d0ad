// Renders a Markdown user manual to an A4 PDF: the text through
// QTextDocument's Markdown reader, laid out for the PDF writer's resolution,
// with page numbers in the footer.  Images are linked relative to the
// Markdown file; a missing image is an error, so a manual never ships with
// a hole in it.
//
//   manual_renderer IN.md OUT.pdf
//
// Needs no display: it runs on Qt's offscreen platform.

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// Lengths of the text formats are in CSS pixels (1/96 inch); the layout
// scales them to the writer's resolution.
constexpr qreal kCssDpi = 96.0;
constexpr qreal kBodyPointSize = 10.0;
// An image never takes more than this share of the text width.
constexpr qreal kImageWidthShare = 0.8;
// Page margins in millimetres; the footer band with the page number sits
// inside the bottom margin's allowance.
const QMarginsF kMarginsMm(20, 18, 20, 10);
constexpr qreal kFooterMm = 10.0;

const QColor kRule(0xb8, 0xc0, 0xc8);
const QColor kHeaderCell(0xe8, 0xed, 0xf2);
const QColor kCodeBackground(0xf3, 0xf4, 0xf6);
const QColor kNoteBackground(0xfd, 0xf6, 0xe3);
const QColor kFooterInk(0x5f, 0x6b, 0x78);

void Fail(const QString& message) { std::fprintf(stderr, "manual_renderer: %s\n", qPrintable(message)); }

// A face that has the Japanese glyphs, so that no text turns into boxes.
QString BodyFamily() {
  const QStringList families = QFontDatabase::families();
  for (const char* name : {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}) {
    if (families.contains(QString::fromLatin1(name))) return QString::fromLatin1(name);
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

std::optional<QString> ReadUtf8(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return QString::fromUtf8(file.readAll());
}

// Loads every image the document names (relative to the Markdown file),
// registers it as the document's resource and scales it to fit the text
// width, centred on its line.  False when an image cannot be read.
bool PlaceImages(QTextDocument& doc, const QDir& base, qreal textWidthCss) {
  struct Found {
    int position;
    QTextImageFormat format;
  };
  QList<Found> found;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.isValid() && fragment.charFormat().isImageFormat()) {
        found.append({fragment.position(), fragment.charFormat().toImageFormat()});
      }
    }
  }
  bool ok = true;
  for (Found& image : found) {
    const QString name = image.format.name();
    const QUrl url(name);
    const QString path = url.isLocalFile() ? url.toLocalFile() : base.absoluteFilePath(url.path());
    const QImage picture(path);
    if (picture.isNull()) {
      Fail(QStringLiteral("cannot read image %1 (%2)").arg(name, path));
      ok = false;
      continue;
    }
    doc.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    qreal width = picture.width();
    qreal height = picture.height();
    const qreal limit = textWidthCss * kImageWidthShare;
    if (width > limit) {
      height = height * limit / width;
      width = limit;
    }
    image.format.setWidth(width);
    image.format.setHeight(height);
    QTextCursor cursor(&doc);
    cursor.setPosition(image.position);
    cursor.setPosition(image.position + 1, QTextCursor::KeepAnchor);
    cursor.setCharFormat(image.format);
    QTextBlockFormat centred = cursor.blockFormat();
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
  }
  return ok;
}

// Japanese faces draw U+005C as a yen sign; paths and the list of
// characters a file name may not hold need a real backslash.
void RealBackslashes(QTextDocument& doc) {
  const QStringList families = QFontDatabase::families();
  QString face;
  for (const char* name : {"DejaVu Sans", "Liberation Sans", "Noto Sans"}) {
    if (families.contains(QString::fromLatin1(name))) {
      face = QString::fromLatin1(name);
      break;
    }
  }
  if (face.isEmpty()) return;
  QTextCharFormat latin;
  latin.setFontFamilies(QStringList{face});
  for (QTextCursor found = doc.find(QStringLiteral("\\")); !found.isNull();
       found = doc.find(QStringLiteral("\\"), found)) {
    if (!found.charFormat().fontFixedPitch()) found.mergeCharFormat(latin);
  }
}

// Thin rules between all cells and a tinted header row.
void StyleTables(QTextFrame* frame) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat format = table->format();
      format.setBorder(1);
      format.setBorderBrush(kRule);
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      format.setBorderCollapse(true);
      format.setCellSpacing(0);
      format.setCellPadding(3);
      format.setTopMargin(2);
      format.setBottomMargin(8);
      format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
      format.setHeaderRowCount(1);
      table->setFormat(format);
      for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
          QTextTableCell cell = table->cellAt(row, column);
          if (cell.row() != row || cell.column() != column) continue;  // covered by a span
          QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
          cellFormat.setBorder(1);
          cellFormat.setBorderBrush(kRule);
          cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
          if (row == 0) cellFormat.setBackground(kHeaderCell);
          cell.setFormat(cellFormat);
        }
      }
    }
    StyleTables(child);
  }
}

bool InTable(const QTextBlock& block) { return QTextCursor(block).currentTable() != nullptr; }

// Air around headings, paragraphs and lists, and a tinted background for
// code blocks and notes; the Markdown reader leaves all of them at zero.
// Code lines wrap rather than run off the page.
void StyleBlocks(QTextDocument& doc) {
  QList<bool> code;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    code.append(block.blockFormat().nonBreakableLines());
  }
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const int index = block.blockNumber();
    QTextBlockFormat format = block.blockFormat();
    const int level = format.headingLevel();
    if (level > 0) {
      format.setTopMargin(index == 0 ? 0 : (level <= 2 ? 18 : 12));
      format.setBottomMargin(level <= 2 ? 8 : 4);
      // A chapter begins on a new page.
      if (level == 2) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    } else if (code[index]) {
      format.setBackground(kCodeBackground);
      format.setLeftMargin(6);
      format.setNonBreakableLines(false);
      if (index == 0 || !code[index - 1]) format.setTopMargin(2);
      if (index + 1 >= code.size() || !code[index + 1]) format.setBottomMargin(8);
    } else if (format.hasProperty(QTextFormat::BlockQuoteLevel)) {  // a note
      format.setBackground(kNoteBackground);
      format.setLeftMargin(format.leftMargin() > 0 ? format.leftMargin() : 12);
      format.setTopMargin(2);
      format.setBottomMargin(8);
    } else if (InTable(block)) {
      continue;
    } else if (QTextList* list = block.textList()) {
      // Space after the last item of an outermost list only.
      const QTextBlock next = block.next();
      const bool last = !next.isValid() || !next.textList();
      if (!last || list->format().indent() > 1) continue;
      format.setBottomMargin(6);
    } else if (!block.text().isEmpty()) {
      format.setBottomMargin(6);
    } else {
      continue;
    }
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
  }
}

// A heading whose following text starts on the next page moves there too.
// Each move can shift later pages, so the check runs again until nothing
// moves.
void KeepHeadingsWithText(QTextDocument& doc) {
  const qreal page = doc.pageSize().height();
  for (int pass = 0; pass < 20; ++pass) {
    bool moved = false;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
      QTextBlockFormat format = block.blockFormat();
      const QTextBlock next = block.next();
      if (format.headingLevel() == 0 || !next.isValid()) continue;
      if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
      const QRectF heading = layout->blockBoundingRect(block);
      const QRectF text = layout->blockBoundingRect(next);
      const QTextLine firstLine = next.layout()->lineAt(0);
      const qreal textBottom = text.top() + (firstLine.isValid() ? firstLine.y() + firstLine.height() : 0);
      if (int(heading.top() / page) == int(textBottom / page)) continue;
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      QTextCursor(block).setBlockFormat(format);
      moved = true;
      break;
    }
    if (!moved) return;
  }
}

// The layout occasionally lets the first line after a table that crossed
// a page run over the page's end.  Such a paragraph gets just enough extra
// space above it to start on the next page.
void KeepLinesOnTheirPage(QTextDocument& doc, qreal formatToDevice) {
  const qreal page = doc.pageSize().height();
  for (int pass = 0; pass < 50; ++pass) {
    bool moved = false;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid() && !moved; block = block.next()) {
      if (InTable(block) || block.layout()->lineCount() == 0) continue;
      const QTextLine first = block.layout()->lineAt(0);
      const qreal top = layout->blockBoundingRect(block).top() + first.y();
      const qreal boundary = (std::floor(top / page) + 1) * page;
      if (top + first.height() <= boundary + 0.5) continue;
      QTextBlockFormat format = block.blockFormat();
      format.setTopMargin(format.topMargin() + (boundary - top) / formatToDevice + 0.5);
      QTextCursor(block).setBlockFormat(format);
      moved = true;
    }
    if (!moved) return;
  }
}

QString FirstHeading(const QTextDocument& doc) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 1) return block.text().trimmed();
  }
  return QString();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: manual_renderer IN.md OUT.pdf\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QFileInfo input(QString::fromLocal8Bit(argv[1]));
  const QString output = QString::fromLocal8Bit(argv[2]);
  const std::optional<QString> markdown = ReadUtf8(input.absoluteFilePath());
  if (!markdown) {
    Fail(QStringLiteral("cannot read %1").arg(input.filePath()));
    return 1;
  }
  if (!QDir().mkpath(QFileInfo(output).absolutePath())) {
    Fail(QStringLiteral("cannot create the folder of %1").arg(output));
    return 1;
  }

  QPdfWriter writer(output);
  writer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
  writer.setResolution(600);
  writer.setCreator(QStringLiteral("Quorvia for RV7300s manual_renderer"));

  const qreal dotsPerMm = writer.resolution() / 25.4;
  const QRectF paintRect = writer.pageLayout().paintRectPixels(writer.resolution());
  const qreal footer = kFooterMm * dotsPerMm;
  const QSizeF pageSize(paintRect.width(), paintRect.height() - footer);

  QTextDocument doc;
  doc.documentLayout()->setPaintDevice(&writer);
  QFont body(BodyFamily());
  body.setPointSizeF(kBodyPointSize);
  doc.setDefaultFont(body);
  doc.setBaseUrl(QUrl::fromLocalFile(input.absolutePath() + QLatin1Char('/')));
  doc.setMarkdown(*markdown, QTextDocument::MarkdownDialectGitHub);

  const qreal textWidthCss = pageSize.width() * kCssDpi / writer.resolution();
  if (!PlaceImages(doc, input.absoluteDir(), textWidthCss)) return 1;
  RealBackslashes(doc);
  StyleTables(doc.rootFrame());
  StyleBlocks(doc);

  QTextFrameFormat root = doc.rootFrame()->frameFormat();
  root.setMargin(0);
  doc.rootFrame()->setFrameFormat(root);
  doc.setPageSize(pageSize);
  KeepHeadingsWithText(doc);
  KeepLinesOnTheirPage(doc, writer.logicalDpiY() / kCssDpi);

  const QString title = FirstHeading(doc);
  writer.setTitle(title);

  QPainter painter;
  if (!painter.begin(&writer)) {
    Fail(QStringLiteral("cannot write %1").arg(output));
    return 1;
  }
  QFont footerFont = body;
  footerFont.setPointSizeF(8);
  const int pages = doc.pageCount();
  for (int page = 0; page < pages; ++page) {
    if (page > 0) writer.newPage();
    const QRectF clip(0, page * pageSize.height(), pageSize.width(), pageSize.height());
    painter.save();
    painter.translate(0, -clip.top());
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    // A line that only touches the page edge belongs to the neighbouring
    // page; leaving it out here keeps slivers of it off this one.
    context.clip = clip.adjusted(0, 1, 0, -1);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();

    const QRectF band(0, pageSize.height(), pageSize.width(), footer);
    painter.setPen(QPen(kRule, dotsPerMm * 0.2));
    painter.drawLine(QPointF(band.left(), band.top() + footer * 0.35),
                     QPointF(band.right(), band.top() + footer * 0.35));
    painter.setPen(kFooterInk);
    painter.setFont(footerFont);
    const QRectF text = band.adjusted(0, footer * 0.45, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
  }
  if (!painter.end()) {
    Fail(QStringLiteral("cannot finish %1").arg(output));
    return 1;
  }
  std::printf("manual_renderer: %s, %d pages (font %s)\n", qPrintable(output), pages, qPrintable(body.family()));
  return 0;
}
