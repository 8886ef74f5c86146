#pragma once
// Printing a chart and writing it as PDF through Qt Print Support.
//
// The chart is composed afresh for the printer (TCustomGrafon::Render): at the scale that fits the
// control onto the page's printable area, keeping its proportions, with the printer's vertical
// resolution, so fonts and marks follow the printer's rules. The scale is at most the canvas's
// largest device scale and keeps the picture within the image limit; a page that needs more gets
// the largest picture enlarged by the printer. The picture stands at the top left of the printable
// area. The chart itself is left as it was (its picture on screen and its state), also on failure.

#include <QPrinter>
#include <string>

#include "chart/Nox_grafon.h"

namespace nox {

// Prints the chart on one page. Throws ENoxGrafonError when the printer cannot be started or the
// page not finished, or when the chart cannot be composed (an axis that cannot be mapped).
void PrintChart(TCustomGrafon& chart, QPrinter& printer);

// Writes the chart as a one-page PDF file (A4, portrait or landscape as the chart is shaped,
// 300 dots per inch). The file is replaced in one step (platform/file_replace.h): on any error the
// old file stays as it was. Throws ENoxGrafonError or EFileError saying what failed.
void ExportPdf(TCustomGrafon& chart, const std::string& path);

}  // namespace nox
