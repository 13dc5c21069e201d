#include "handon/PictureFile.h"

#include "export/BitmapFile.h"
#include "handon/PngFile.h"
#include "screens/Canvas.h"

std::string EncodePicture(const Canvas& canvas, PictureFormat format)
{
    if (format == PictureFormat::Png)
        return PngFileBytes({canvas.Width(), canvas.Height(), canvas.Indices(), canvas.Colours()});
    const std::optional<DibBlock> dib = BitmapToDib(RgbBitmap(canvas.Width(), canvas.Height(), canvas.Pixels()));
    const std::optional<std::vector<std::uint8_t>> bytes = dib ? DibFileBytes(*dib) : std::nullopt;
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

const char* PictureExtension(PictureFormat format)
{
    return format == PictureFormat::Png ? ".png" : ".bmp";
}
