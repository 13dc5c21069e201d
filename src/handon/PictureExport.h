#pragma once

#include "handon/HandOn.h"
#include "handon/PictureFile.h"

#include <functional>
#include <string>

class Canvas;
class CardTree;

// Turns a drawn screen into a file's bytes; empty when it cannot. Called from
// several workers at once.
using PictureEncoder = std::function<std::string(const Canvas&, PictureFormat)>;

struct PictureExportOptions {
    std::string outDir; // made when missing; files of the same names in it are replaced
    PictureFormat format = PictureFormat::Png;
    PictureEncoder encode = EncodePicture;
};

// Writes every selected record as a picture of its screen (as it first
// appears) to OUTDIR/<measurement folder>/<kind>/<number>_<data name>.png,
// drawing on all cores. Every file gets its name only once complete, so a
// failure or a stop leaves only whole pictures (and the folders made for
// them). The first failed write stops the rest.
// The tree is only read, by every worker alike; it must not change meanwhile.
HandOnOutcome WritePictures(const CardTree& tree, const FolderSelection& folders,
                            const PictureExportOptions& options, const HandOnProgress& progress);
