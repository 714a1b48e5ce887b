// A viewer's table on paper: the pages of a printer or a PDF, painted as the
// sheet's page model (viewer/patch_sheet.hpp) lays them out. Each page is
// headed by the file's name, the caption, the date and its page number.
#pragma once

#include <string>

#include "common/result.hpp"
#include "common/table.hpp"
#include "viewer/patch_sheet.hpp"

class QImage;
class QPageLayout;
class QPagedPaintDevice;

// Paints every page on device (a printer set up by its dialog, or a PDF
// writer); fails when the device cannot be painted on.
patchlore::Status PaintSheet(QPagedPaintDevice& device, const patchlore::Table& table,
                             const patchlore::SheetHeader& header);

// A4 with margins, landscape when the table's columns are too many for portrait.
QPageLayout SheetPageLayout(const patchlore::Table& table);

// The table as a PDF of pages of SheetPageLayout; written whole or not at all.
patchlore::Status WriteSheetPdf(const std::string& path, const patchlore::Table& table,
                                const patchlore::SheetHeader& header);

// The first page as the PDF shows it, on an image at that resolution: the
// guide's picture of a sheet.
QImage FirstSheetPage(const patchlore::Table& table, const patchlore::SheetHeader& header, int dotsPerInch);
