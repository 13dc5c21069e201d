// Keeping what the screen area shows: as a bitmap file or on the clipboard.
#include "CViewerDlg.h"

#include "data/CardText.h"
#include "data/FileError.h"
#include "data/Messages.h"
#include "export/BitmapFile.h"
#include "export/FileNames.h"
#include "screens/TextCodec.h"
#include "ui_CViewerDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include <cerrno>

namespace {

const char* const kSaveTitle = "名前を付けて保存";
// The longest name a folder holds, in bytes, less the ".bmp" the dialog adds.
constexpr std::size_t kNameBytes = kMaxFileNameBytes - 4;

// The shown data name, trimmed, as a file name by the rule the export follows
// too; empty when there is no data name, so the user types one.
QString SaveNameOf(std::string_view caption)
{
    const std::string_view name = Trim(caption);
    if (name.empty())
        return {};
    return QString::fromStdString(SafeFileName(DecodeCardText(name), kNameBytes));
}

// The grabbed pixels at the depth they were captured at: 8 bits with their
// colour table where the display has 256 colours or fewer, else 32 bits.
DeviceBitmap BitmapOfCapture(const QPixmap& capture)
{
    const bool indexed = capture.depth() <= 8;
    const QImage image = capture.toImage().convertToFormat(indexed ? QImage::Format_Indexed8
                                                                   : QImage::Format_RGB32);
    DeviceBitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    bitmap.bitCount = indexed ? 8 : 32;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * bitmap.bitCount / 8;
    bitmap.rows.reserve(rowBytes * image.height());
    for (int y = 0; y < image.height(); ++y)
        bitmap.rows.insert(bitmap.rows.end(), image.constScanLine(y), image.constScanLine(y) + rowBytes);
    for (QRgb colour : image.colorTable())
        bitmap.colours.push_back(colour & 0xFFFFFF);
    return bitmap;
}

// 0 when the file is written, else the errno of the failure.
int WriteCapture(const QPixmap& capture, const QString& path)
{
    const std::optional<DibBlock> dib = BitmapToDib(BitmapOfCapture(capture));
    if (!dib)
        return EINVAL;
    int error = 0;
    return WriteDibFile(QFile::encodeName(path).toStdString(), *dib, &error) ? 0 : error;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void CViewerDlg::OnSaveScreen()
{
    const QString name = SaveNameOf(m_display.LabelText(RecordDisplay::kCaption));
    QFileDialog dialog(this, QString::fromUtf8(kSaveTitle), QDir(SaveFolder()).filePath(name));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setNameFilters({QStringLiteral("ビットマップ(*.bmp)"), QStringLiteral("すべて (*.*)")});
    FocusTree();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    int error = 0;
    {
        WaitCursor wait;
        RefreshScreenArea();
        error = WriteCapture(CaptureScreenArea(), path);
    }
    FocusTree();
    if (error == 0)
        m_strLastSaveFolder = QFileInfo(path).absolutePath();
    else
        m_messages.ShowMessage(FileErrorText(FileErrorCauseFromErrno(error), path.toStdString()));
}

void CViewerDlg::OnCopyScreen()
{
    RefreshScreenArea();
    QGuiApplication::clipboard()->setImage(CaptureScreenArea().toImage());
    FocusTree();
}

// The screen area shows the current picture, also where the save dialog or
// another window covered it a moment before.
void CViewerDlg::RefreshScreenArea()
{
    activateWindow();
    OnPaint();
    repaint();
}

// The frame around the screen area with everything inside it (the screen and
// its labels), as the window shows it, in device pixels. The whole window is
// grabbed and then cut, so that at fractional scales every edge falls on the
// device pixel it falls on in the window.
QPixmap CViewerDlg::CaptureScreenArea()
{
    const QPixmap window = grab();
    const qreal ratio = window.devicePixelRatio();
    const QWidget* frame = m_ui->m_screenAreaFrame;
    const QRect area(frame->mapTo(this, QPoint(0, 0)), frame->size());
    const QRect device(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)),
                       QPoint(qRound((area.right() + 1) * ratio) - 1, qRound((area.bottom() + 1) * ratio) - 1));
    return window.copy(device);
}

// The folder of the last save, else the user's pictures folder, else home.
QString CViewerDlg::SaveFolder() const
{
    if (!m_strLastSaveFolder.isEmpty() && QDir(m_strLastSaveFolder).exists())
        return m_strLastSaveFolder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}
