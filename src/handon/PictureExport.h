#pragma once

#include "handon/HandOn.h"
#include "handon/PictureFile.h"

#include <string>

class CardTree;

struct PictureExportOptions {
    std::string outDir; // made when missing; files of the same names in it are replaced
    PictureFormat format = PictureFormat::Png;
};

// Writes every selected record as a picture of its screen (as it first
// appears) to OUTDIR/<measurement folder>/<kind>/<number>_<data name>.png,
// drawing on all cores. Every file is written under a temporary name and
// renamed when complete, so a failure or a stop leaves only whole pictures
// (and the folders made for them). The first failed write stops the rest.
// The tree is only read, by every worker alike; it must not change meanwhile.
HandOnOutcome WritePictures(const CardTree& tree, const FolderSelection& folders,
                            const PictureExportOptions& options, const HandOnProgress& progress);
