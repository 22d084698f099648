#pragma once
// A small report component. A report object is given the file name of a
// report layout; its print method reads the layout, reads the tables the
// layout names from the game database, lays the rows out in pages and sends
// them to the system's default printer, or, when the program has no printer
// (always in tests), writes them to a PDF file in the program folder.
//
// Layout files are UTF-8 text, one directive per line; blank lines and lines
// starting with '#' are ignored:
//
//   titulo <text>              report title, printed on top of every page
//   banco <path>               game database, relative to the program folder
//                              ("\hortas00.mdb"); default "\hortas00.mdb"
//   pdf <file name>            name of the PDF written when there is no
//                              printer; default the layout's name with ".pdf"
//   pagina retrato|paisagem    page orientation (default retrato)
//   fonte <points>             body font size (default 10)
//   tabela <table> [field ...] starts a block on that table, its rows sorted
//                              by the fields given (ties keep the stored order)
//     subtitulo <text>         a heading before the block
//     cabecalho <text>         a line under the heading, {field} taken from
//                              the block's first row (empty without rows)
//     quebra <field>           a group heading whenever the field changes
//                              (up to two, outer first)
//     coluna <width> <title> | <cell>
//                              a column: relative width, title, and the cell
//                              text with {field} replaced by the row's value;
//                              "\n" in the cell starts a new line; a part in
//                              [brackets] is left out when all its fields
//                              are blank
//     fonte <points>           body font size of this block
//     inteiro                  starts the block on a new page when it would
//                              not fit on this one (and fits on one page)
//     grade                    draws the cell borders of the block
//     vazio <text>             printed when the table has no rows
//     nota <text>              a line printed after the block
//   fim                        ends the block
//
// Printing never throws and never changes the database: every failure (no
// layout file, a layout line not understood, a missing table or field, a PDF
// that cannot be written) comes back as a message in Portuguese.

#include <string>

namespace platform {

struct ReportResult {
    bool ok = false;           // the report was printed or written
    bool pdf = false;          // written to a PDF file instead of a printer
    std::string destination;   // printer name, or the PDF's path on disk
    std::string message;       // for the player: where the PDF went, or what failed
};

class Report {
public:
    // The layout file, as a game path (program folder & "\relatb.rpt").
    const std::string& ReportFileName() const { return file_; }
    void SetReportFileName(const std::string& path) { file_ = path; }

    // Prints the report; see the file comment.
    ReportResult PrintReport() const;

    // Tests and machines without a printer: always write the PDF.
    static void SetPdfOnly(bool pdfOnly);

private:
    std::string file_;
};

}  // namespace platform
