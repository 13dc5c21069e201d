#include "handon/ReportPages.h"

#include "handon/CardRecords.h"
#include "handon/ReportDevice.h"
#include "handon/ReportImageObjects.h"
#include "handon/ReportPictures.h"
#include "screens/ShownValues.h"
#include "data/CardTree.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"
#include "data/CardText.h"

#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <map>
#include <mutex>
#include <optional>

namespace {

// What a report covers: the scanned card, the chosen records in scan order,
// the data root (the cover names only its folder), the folders asked for
// (none: the whole card) and the job it is handed out for.
struct ReportInput {
    const CardTree& tree;
    const std::vector<CardRecord>& records;
    std::string dataRoot;
    std::vector<std::string> folders;
    ReportCover cover;
};

// Device units are dots of a 300 dpi page; a screen pixel prints as 3 x 3
// dots, so at 300 and 600 dpi every pixel stays a sharp square.
constexpr int kDotsPerInch = 300;
constexpr int kPixelScale = 3;
constexpr double kFooterMm = 8.0;
constexpr const char* kFace = "IPAGothic";

double Mm(double mm)
{
    return mm * kDotsPerInch / 25.4;
}

QString Card(std::string_view bytes)
{
    return QString::fromStdString(DecodeCardText(Trim(bytes)));
}

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A folder's name as the file system holds it, which need not be UTF-8.
QString FileName(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// Sized in device dots, so that measuring (without a device) and drawing
// (on the 300 dpi page) agree.
QFont ReportFont(double points, bool bold = false)
{
    QFont font(kFace);
    font.setPixelSize(static_cast<int>(std::lround(points * kDotsPerInch / 72.0)));
    font.setBold(bold);
    return font;
}

// The pages as they fill: the current page number and height used. Without a
// painter it only counts, which gives the number of pages for the footers.
class PageCursor {
public:
    PageCursor(QPdfWriter& writer, QPainter* painter, int totalPages)
        : m_writer(writer), m_painter(painter), m_totalPages(totalPages),
          m_bottom(writer.height() - Mm(kFooterMm))
    {
    }

    QPainter* Painter() const { return m_painter; }
    double Y() const { return m_y; }
    double Width() const { return m_writer.width(); }
    int Page() const { return m_page; }
    void Advance(double height) { m_y += height; }
    bool Fits(double height) const { return m_y <= m_top || m_y + height <= m_bottom; }
    // A new page when `height` does not fit below what the page holds.
    void Need(double height)
    {
        if (!Fits(height))
            NewPage();
    }
    void NewPage()
    {
        DrawFooter();
        if (m_painter)
            m_writer.newPage();
        ++m_page;
        m_y = 0;
        m_top = 0;
        if (!m_header.isEmpty())
            DrawRunningHeader();
    }
    // Every page that follows, until the next call, starts with `header`
    // (empty: none), so a section that goes on over several pages names
    // itself on each.
    void SetRunningHeader(const QString& header) { m_header = header; }
    void Finish() { DrawFooter(); }

private:
    void DrawRunningHeader()
    {
        const QFont font = ReportFont(10, true);
        const double height = QFontMetricsF(font).height() * 1.4;
        if (m_painter) {
            m_painter->setFont(font);
            m_painter->setPen(Qt::black);
            m_painter->drawText(QRectF(0, 0, Width(), height), Qt::AlignLeft | Qt::AlignVCenter,
                                QFontMetricsF(font).elidedText(m_header, Qt::ElideMiddle, Width()));
            m_painter->setPen(QPen(Qt::black, Mm(0.2)));
            m_painter->drawLine(QPointF(0, height), QPointF(Width(), height));
        }
        m_y = height + Mm(3);
        m_top = m_y; // a page that holds only its header counts as empty
    }

    void DrawFooter()
    {
        if (!m_painter)
            return;
        m_painter->setFont(ReportFont(9));
        m_painter->setPen(Qt::black);
        const QRectF area(0, m_writer.height() - Mm(kFooterMm) * 0.6, Width(), Mm(kFooterMm) * 0.6);
        m_painter->drawText(area, Qt::AlignHCenter | Qt::AlignBottom,
                            QString("%1 / %2").arg(m_page).arg(m_totalPages));
    }

    QPdfWriter& m_writer;
    QPainter* m_painter;
    int m_totalPages;
    double m_bottom;
    QString m_header;
    int m_page = 1;
    double m_y = 0;
    double m_top = 0;
};

// One line of text at the cursor, in `font`; returns its height.
double TextLine(PageCursor& page, const QFont& font, const QString& text, double x = 0)
{
    const double height = QFontMetricsF(font).height() * 1.25;
    if (QPainter* p = page.Painter()) {
        p->setFont(font);
        p->setPen(Qt::black);
        const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideMiddle, page.Width() - x);
        p->drawText(QRectF(x, page.Y(), page.Width() - x, height), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    page.Advance(height);
    return height;
}

// Asked for several times a record: measured once.
double RowHeight()
{
    static const double height = QFontMetricsF(ReportFont(9.5)).height() * 1.5;
    return height;
}

// A row of cells at the cursor: each cell's text in its column (the first
// left-aligned, the others as `align` says), a thin rule below.
void TableRow(PageCursor& page, const std::vector<QString>& cells, const std::vector<double>& columns,
              bool bold = false, Qt::Alignment align = Qt::AlignRight)
{
    const QFont font = ReportFont(9.5, bold);
    const double height = RowHeight();
    page.Need(height);
    if (QPainter* p = page.Painter()) {
        p->setFont(font);
        double x = 0;
        for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i) {
            const QRectF cell(x + Mm(1), page.Y(), columns[i] - Mm(2), height);
            p->setPen(Qt::black);
            p->drawText(cell, (i == 0 ? Qt::AlignLeft : align) | Qt::AlignVCenter,
                        QFontMetricsF(font).elidedText(cells[i], Qt::ElideMiddle, cell.width()));
            x += columns[i];
        }
        p->setPen(QPen(Qt::gray, Mm(0.15)));
        p->drawLine(QPointF(0, page.Y() + height), QPointF(x, page.Y() + height));
    }
    page.Advance(height);
}

struct Counts {
    std::map<DataKind, int> perKind;
    std::vector<std::pair<std::string, std::map<DataKind, int>>> perFolder; // scan order
    int total = 0;
};

Counts CountRecords(const std::vector<CardRecord>& records)
{
    Counts counts;
    for (const CardRecord& r : records) {
        if (counts.perFolder.empty() || counts.perFolder.back().first != r.folder)
            counts.perFolder.push_back({r.folder, {}});
        ++counts.perFolder.back().second[r.kind];
        ++counts.perKind[r.kind];
        ++counts.total;
    }
    return counts;
}

int CountOf(const std::map<DataKind, int>& counts, DataKind kind)
{
    const auto found = counts.find(kind);
    return found == counts.end() ? 0 : found->second;
}

void KindTable(PageCursor& page, const Counts& counts)
{
    TextLine(page, ReportFont(12, true), "種類別の件数");
    const std::vector<double> columns{Mm(70), Mm(25)};
    for (DataKind kind : kRecordKinds)
        TableRow(page, {Utf8(KindHeading(kind)), QString::number(CountOf(counts.perKind, kind))}, columns);
    TableRow(page, {"合計", QString::number(counts.total)}, columns, true);
}

void FolderTable(PageCursor& page, const Counts& counts)
{
    TextLine(page, ReportFont(12, true), "フォルダ別の件数");
    const double number = Mm(20);
    const std::vector<double> columns{page.Width() - 6 * number, number, number, number, number, number, number};
    const std::vector<QString> header{"測定フォルダ", "レベル", "BER", "スカパー", "コンスタ", "多ch", "計"};
    TableRow(page, header, columns, true);
    for (const auto& [folder, perKind] : counts.perFolder) {
        std::vector<QString> cells{FileName(folder)};
        int sum = 0;
        for (DataKind kind : kRecordKinds) {
            cells.push_back(QString::number(CountOf(perKind, kind)));
            sum += CountOf(perKind, kind);
        }
        cells.push_back(QString::number(sum));
        if (!page.Fits(RowHeight())) { // a long table goes on with its header on the next page
            page.NewPage();
            TableRow(page, header, columns, true);
        }
        TableRow(page, cells, columns);
    }
}

// The job the report is for, as given, with the days of measurement.
void CoverTable(PageCursor& page, const ReportInput& input)
{
    const std::string dates = input.cover.date.empty() ? MeasurementDates(input.records) : std::string();
    const std::vector<double> columns{Mm(28), page.Width() - Mm(28)};
    for (const CoverLine& line : CoverLines(input.cover, dates))
        TableRow(page, {Utf8(line.heading), Utf8(line.text)}, columns, false, Qt::AlignLeft);
}

// Every notation of the tables and pictures with its meaning, kept on one page.
void Legend(PageCursor& page)
{
    const std::vector<LegendEntry> entries = LegendEntries();
    const QFont heading = ReportFont(12, true);
    page.Need(QFontMetricsF(heading).height() * 1.25 + static_cast<double>(entries.size()) * RowHeight());
    TextLine(page, heading, "凡例");
    const std::vector<double> columns{Mm(40), page.Width() - Mm(40)};
    for (const LegendEntry& entry : entries) {
        if (QPainter* p = page.Painter(); p && entry.swatch) {
            const QRectF swatch(Mm(1), page.Y() + RowHeight() * 0.25, Mm(8), RowHeight() * 0.5);
            p->fillRect(swatch, QColor::fromRgb(entry.colour));
            p->setPen(QPen(Qt::black, Mm(0.1)));
            p->drawRect(swatch);
        }
        const QString notation = (entry.swatch ? "　　　" : "") + Utf8(entry.notation);
        TableRow(page, {notation, Utf8(entry.meaning)}, columns, false, Qt::AlignLeft);
    }
}

// A left-out path by its place in the card; the folders leading to the card
// may name the user and say nothing about the site.
std::string InsideCard(const std::string& path, const std::string& dataRoot)
{
    const std::string root = dataRoot.ends_with('/') ? dataRoot : dataRoot + "/";
    return path.starts_with(root) ? path.substr(root.size()) : path;
}

// Whether `inCard` lies in one of the measurement folders the report covers.
bool Covered(const std::string& inCard, const std::vector<std::string>& folders)
{
    if (folders.empty())
        return true;
    const std::string folder = inCard.substr(0, inCard.find('/'));
    return std::find(folders.begin(), folders.end(), folder) != folders.end();
}

// What the scan could not read in the folders covered: a report handed on
// must say which measurements it lacks, not look complete.
void LeftOutTable(PageCursor& page, const ReportInput& input)
{
    std::vector<std::pair<QString, QString>> rows;
    for (const LeftOut& left : input.tree.LeftOutList()) {
        const std::string inCard = InsideCard(left.m_strPath, input.tree.DataRoot());
        if (Covered(inCard, input.folders))
            rows.emplace_back(FileName(inCard), Utf8(left.m_strReason));
    }
    if (rows.empty())
        return;
    page.Advance(Mm(6));
    TextLine(page, ReportFont(12, true), QString("読み込めなかったフォルダ（%1 件）").arg(rows.size()));
    TextLine(page, ReportFont(9.5), "次のフォルダは読み込めなかったため、この報告書に含まれていません。");
    const std::vector<double> columns{Mm(60), page.Width() - Mm(60)};
    for (const auto& [path, reason] : rows)
        TableRow(page, {path, reason}, columns, false, Qt::AlignLeft);
}

void FirstPage(PageCursor& page, const ReportInput& input)
{
    TextLine(page, ReportFont(18, true), "測定データ報告書");
    page.Advance(Mm(3));
    CoverTable(page, input);
    page.Advance(Mm(3));
    TextLine(page, ReportFont(10), "データフォルダ：" + FileName(CardName(input.dataRoot)));
    TextLine(page, ReportFont(10), "作成日時：" + QDateTime::currentDateTime().toString("yyyy/MM/dd HH:mm"));
    if (!input.folders.empty()) {
        QStringList names;
        for (const std::string& name : input.folders)
            names << FileName(name);
        TextLine(page, ReportFont(10), "対象フォルダ：" + names.join("、"));
    }
    LeftOutTable(page, input);
    const Counts counts = CountRecords(input.records);
    page.Advance(Mm(6));
    if (counts.total == 0) {
        TextLine(page, ReportFont(12, true), "測定データはありません。");
        return;
    }
    KindTable(page, counts);
    page.Advance(Mm(6));
    FolderTable(page, counts);
    page.Advance(Mm(6));
    Legend(page);
}

// One record: its labels, its screen and the values the screen shows.
class RecordBlock {
public:
    // Laid out from the record itself.
    RecordBlock(const CardRecord& record, RecordDisplay& display) : m_record(record)
    {
        display.Select(record.item);
        m_shown = ShownValues(display);
        for (std::size_t label = 0; label < m_labels.size(); ++label)
            m_labels[label] = display.LabelText(static_cast<RecordDisplay::Label>(label));
    }
    // Laid out from what a worker drew.
    RecordBlock(const CardRecord& record, ReportPicture& screen)
        : m_record(record), m_shown(std::move(screen.shown)), m_labels(std::move(screen.labels))
    {
    }

    double Height() const
    {
        const double picture = 240 * kPixelScale;
        const double table = static_cast<double>(m_shown.values.size()) * RowHeight();
        const auto channelRows = static_cast<double>((m_shown.channels.size() + kChannelColumns - 1) / kChannelColumns);
        const double channels = channelRows > 0 ? Mm(2) + channelRows * RowHeight() : 0;
        return HeaderHeight() + std::max(picture, table) + channels + Mm(7);
    }

    void Draw(PageCursor& page, ReportImage image, ReportImageObjects& images)
    {
        const double top = page.Y();
        QPainter& p = *page.Painter();
        DrawHeader(page);
        // A picture sample a dot of the page, a whole number of dots a screen pixel.
        const QRectF picture(0, page.Y(), image.width, image.height);
        images.Draw(p, picture, std::move(image));
        DrawValues(p, QPointF(picture.width() + Mm(6), page.Y()), page.Width() - picture.width() - Mm(6));
        DrawChannels(p, QPointF(0, page.Y() + std::max<double>(picture.height(), TableHeight()) + Mm(2)),
                     page.Width());
        page.Advance(Height() - (page.Y() - top));
        p.setPen(QPen(Qt::gray, Mm(0.2)));
        p.drawLine(QPointF(0, page.Y() - Mm(3)), QPointF(page.Width(), page.Y() - Mm(3)));
    }

private:
    static constexpr std::size_t kChannelColumns = 4;

    static double HeaderHeight()
    {
        static const double height = QFontMetricsF(ReportFont(11, true)).height() * 1.25 +
                                     QFontMetricsF(ReportFont(9)).height() * 1.25 + Mm(1.5);
        return height;
    }
    double TableHeight() const { return static_cast<double>(m_shown.values.size()) * RowHeight(); }

    QString Label(RecordDisplay::Label which) const { return Card(m_labels[which]); }

    void DrawHeader(PageCursor& page) const
    {
        TextLine(page, ReportFont(11, true),
                 "データNo. " + Label(RecordDisplay::kNumber) + " / " + Label(RecordDisplay::kCount) + "　　" +
                     Label(RecordDisplay::kCaption));
        TextLine(page, ReportFont(9), Utf8(KindHeading(m_record.kind)) + "　　" +
                                          Label(RecordDisplay::kSystemLabel));
        page.Advance(Mm(1.5));
    }

    static QString ValueText(const ShownValue& value)
    {
        QString text = Utf8(value.text);
        if (!value.unit.empty())
            text += " " + Utf8(value.unit);
        if (!value.mark.empty())
            text += "　" + Utf8(value.mark);
        return text;
    }

    void DrawValues(QPainter& p, QPointF at, double width) const
    {
        DrawCells(p, at, m_shown.values, width, 1);
    }

    void DrawChannels(QPainter& p, QPointF at, double width) const
    {
        DrawCells(p, at, m_shown.channels, width, kChannelColumns);
    }

    // Label and value pairs in `columns` columns, filled row by row.
    static void DrawCells(QPainter& p, QPointF at, const std::vector<ShownValue>& values, double width,
                          std::size_t columns)
    {
        const QFont font = ReportFont(9.5);
        const double height = RowHeight();
        const double cellWidth = width / static_cast<double>(columns);
        const double labelWidth = std::min(Mm(24), cellWidth * 0.45);
        p.setFont(font);
        if (values.empty())
            return;
        p.setPen(Qt::black);
        std::vector<QLineF> rules; // under each cell, drawn after the texts with one pen
        rules.reserve(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double x = at.x() + static_cast<double>(i % columns) * cellWidth;
            const double y = at.y() + static_cast<double>(i / columns) * height;
            // The meter's half-width labels (ﾚﾍﾞﾙ) read as ordinary text (レベル) on paper.
            p.drawText(QRectF(x + Mm(1), y, labelWidth - Mm(1), height), Qt::AlignLeft | Qt::AlignVCenter,
                       Utf8(values[i].label).normalized(QString::NormalizationForm_KC));
            p.drawText(QRectF(x + labelWidth, y, cellWidth - labelWidth - Mm(2), height),
                       Qt::AlignLeft | Qt::AlignVCenter, ValueText(values[i]));
            rules.emplace_back(QPointF(x, y + height), QPointF(x + cellWidth - Mm(2), y + height));
        }
        p.setPen(QPen(Qt::lightGray, Mm(0.15)));
        for (const QLineF& rule : rules)
            p.drawLine(rule);
    }

    const CardRecord& m_record;
    ShownRecord m_shown;
    std::array<std::string, 4> m_labels; // by RecordDisplay::Label
};

// Lays out (and, with a painter, draws) the whole report; returns false when
// the progress callback asks to stop.
bool ComposeReport(PageCursor& page, ReportImageObjects* images, const ReportInput& input,
                   const HandOnProgress& progress)
{
    FirstPage(page, input);
    RecordDisplay display;
    std::optional<ReportPictures> pictures; // drawn only for the pages that are painted
    if (images)
        pictures.emplace(input.records, kPixelScale);
    const std::string* folder = nullptr;
    const int total = static_cast<int>(input.records.size());
    int done = 0;
    for (const CardRecord& record : input.records) {
        if (!GoOn(progress, done, total))
            return false;
        if (!folder || record.folder != *folder) { // each folder's section starts a page
            folder = &record.folder;
            page.SetRunningHeader({});
            page.NewPage();
            TextLine(page, ReportFont(14, true), "測定フォルダ　" + FileName(*folder));
            page.Advance(Mm(3));
            page.SetRunningHeader("測定フォルダ　" + FileName(*folder) + "（続き）");
        }
        if (pictures) {
            ReportPicture screen = pictures->Take(static_cast<std::size_t>(done));
            RecordBlock block(record, screen);
            page.Need(block.Height()); // a block never breaks across pages
            block.Draw(page, std::move(screen.image), *images);
        } else {
            RecordBlock block(record, display);
            page.Need(block.Height());
            page.Advance(block.Height());
        }
        ++done;
    }
    page.Finish();
    return GoOn(progress, done, total);
}

// The PDF writer takes two buffers of ten megabytes for each page it ends and
// gives them back at once. The C library would hand such memory back to the
// system each time and take it again for the next page, which on a report of
// thousands of pages costs more than drawing them; it keeps it instead.
void KeepLargeBuffers()
{
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
    });
#endif
}

HandOnOutcome Failed(const std::string& path, const std::string& reason, int error)
{
    HandOnOutcome outcome;
    outcome.status = HandOnOutcome::Status::FileFailed;
    outcome.path = path;
    outcome.reason = reason;
    outcome.error = error;
    return outcome;
}

} // namespace

HandOnOutcome WriteReport(const CardTree& tree, const FolderSelection& folders, const ReportOptions& options,
                          const HandOnProgress& progress)
{
    KeepLargeBuffers();
    const std::vector<CardRecord> records = SelectedRecords(tree, folders);
    const ReportInput input{tree, records, options.dataRoot, folders, options.cover};
    HandOnOutcome outcome;
    outcome.total = static_cast<int>(records.size());

    // The report goes to a file without a name beside the target and takes
    // its place only once drawn whole, so a full disk or a failed drawing
    // never leaves a cut report nor harms an older one.
    ReportDevice device(options.path);
    if (const int error = device.Error()) // no place for it: nothing is drawn
        return Failed(options.path, std::strerror(error), error);
    ReportImageObjects images(device, FolderOf(options.path));
    bool drawn = true;
    bool complete = false;
    {
        QPdfWriter writer(&device);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 10), QPageLayout::Millimeter);
        writer.setResolution(kDotsPerInch);
        writer.setTitle("測定データ報告書");
        writer.setCreator("kr80a");

        // The first pass only counts the pages, for the footers; it tells no
        // progress but may still be stopped.
        PageCursor counter(writer, nullptr, 0);
        complete = ComposeReport(counter, nullptr, input, [&](int, int total) { return GoOn(progress, 0, total); });
        if (complete) {
            QPainter painter(&writer);
            drawn = painter.isActive();
            PageCursor page(writer, &painter, counter.Page());
            complete = ComposeReport(page, &images, input, [&](int done, int total) {
                outcome.done = done;
                return GoOn(progress, done, total);
            });
            drawn = painter.end() && drawn;
        }
    }
    if (const int error = device.Error())
        return Failed(options.path, std::strerror(error), error);
    if (!complete) {
        outcome.status = HandOnOutcome::Status::Stopped;
        return outcome;
    }
    if (!drawn || device.Empty())
        return Failed(options.path, "the report could not be drawn", 0);
    if (const int error = images.Finish(); error > 0)
        return Failed(options.path, std::strerror(error), error);
    else if (error < 0)
        return Failed(options.path, "the report could not be drawn", 0);
    if (const int error = device.Commit())
        return Failed(options.path, std::strerror(error), error);
    return outcome;
}
