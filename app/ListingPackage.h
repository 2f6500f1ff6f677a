// The listing package on its way into the data folder: the file the reply is received into, the
// archive it is decompressed to, and the unpacking. The package is unpacked into a folder of its
// own first and its files join the listings only when the whole of it unpacked, so a damaged,
// cut or hostile package leaves the data folder as it was.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>

class TGzip;
class TUnTar;

// The most bytes a reply of the download may bring, whether it names its length or not: a real
// package is some 41 KB, and a reply without end once filled the disk.
constexpr std::int64_t DownloadMaxSize = 64 * 1024 * 1024;

// DataFolder() + "tiedot.tvz": the package as received (gzip).
AnsiString PackagePath();
// DataFolder() + "tiedot.tvx": the tar archive inside it.
AnsiString ArchivePath();
// DataFolder() + "tiedot.tmp/": where the archive is unpacked before its files move on.
AnsiString StagingFolder();

// Decompresses the package with `gzip` and unpacks the archive with `untar` into the staging
// folder, then moves every regular file lying directly in it into the data folder, all or none
// (over a file of the same name in any letter case; of members equal but for letter case the
// later one wins; the program reads nothing in subfolders). False when the decompressor failed:
// it has shown its own box. Raises EReadError for a reply that is no archive ("not a listing
// package") and for one that is damaged or does not end as a tar archive ends, and the
// extractor's or the move's error. The package, the archive and the staging folder are gone
// afterwards, whatever happened; the staging folder is cleared without following a link there.
bool UnpackListingPackage(TGzip& gzip, TUnTar& untar);

// Removes the package files and the staging folder; what a failed download leaves is cleared.
void RemovePackageFiles();

// At start-up, once this copy holds the folder: removes what a download cut short by the program's
// end may have left in the data folder, by the names the download gives its files alone (the
// package, the archive, the staging folder, the decompressor's temporary files). Only regular
// files and a real staging folder go; a link under one of those names is left as it is.
void ClearPackageLeftovers();
