#pragma once
// A small report component. A report object is given the file name of a
// report layout and, optionally, named values for its texts; its print method
// reads the layout, reads the tables the layout names from its database,
// lays the rows out in A4 pages of a PDF file in the program folder (the
// user's data folder where that cannot be written: see DataFolder), and hands
// that file to the default printer of the print server (CUPS). The PDF is
// written once and kept: when there is no printer, or the printer refuses the
// job or does not answer in time, it is the report's copy, and the result says
// why and where it is.
//
// The PDFs are drawn, and the print server is asked, each on a thread of its
// own, with one time limit for all the reports printed together
// (PrintTimeLimitMs); meanwhile the calling thread waits as in a modal wait
// (platform/wait.h): its timers and painting go on, the player's clicks and
// keys are ignored. A job the server accepted in time counts as printed, also
// when the queue is paused; one it accepts only after the limit is cancelled,
// since the report was then kept as a PDF.
//
// Layout files are UTF-8 text, one directive per line; blank lines and lines
// starting with '#' are ignored:
//
//   titulo <text>              report title, printed on top of every page
//   cabecalho <text>           a line under the title on every page
//   banco <path>               the database, relative to the program folder
//                              ("\dados.mdb"), when the caller names none
//   numeracao <text>           the page number on top of every page, {pagina}
//                              the number ("Page {pagina}"); default none
//   pdf <file name>            name of the PDF written in the program folder;
//                              default the layout's name with ".pdf"
//   pagina retrato|paisagem    page orientation (default retrato)
//   fonte <points>             body font size (default 10)
//   tabela <table> [field ...] starts a block on that table, its rows sorted
//                              by the fields given (ties keep the stored order)
//     subtitulo <text>         a heading before the block
//     cabecalho <text>         a line under the heading, {field} taken from
//                              the block's first row (empty without rows)
//     quebra <field>           a group heading whenever the field changes
//                              (up to two, outer first); a group that goes on
//                              on a new page repeats its headings there
//     coluna <width> <title> | <cell>
//                              a column: relative width, title, and the cell
//                              text with {field} replaced by the row's value;
//                              "\n" in the cell starts a new line; a part in
//                              [brackets] is left out when all its fields
//                              are blank; the column titles head every
//                              page the block's rows run onto
//     fonte <points>           body font size of this block
//     inteiro                  starts the block on a new page when it would
//                              not fit on this one (and fits on one page)
//     grade                    draws the cell borders of the block
//     vazio <text>             printed when the table has no rows
//     nota <text>              a line printed after the block
//     troca "<text>" "<text>"  in the block's cells, every first text is
//                              printed as the second (blanks count)
//   fim                        ends the block
//
// {name} in any text is a field of the row at hand or, where there is no such
// field (titles, headings, the PDF name), a value given with SetParameter. A
// name that is neither is a layout error.
//
// Printing never throws and never changes the database: every outcome (no
// layout file, a layout line not understood, a missing table or field, a PDF
// that cannot be written, the printer's answer) comes back as a status with
// what it concerns; the caller words it for the player.

#include <map>
#include <string>
#include <vector>

namespace platform {

enum class ReportStatus {
    Printed,             // sent to the printer `destination` as job `job`
    SavedNoPrinter,      // kept as its PDF: no print server or no default printer
    SavedRefused,        // kept as its PDF: the printer `destination` refused it, `detail` the server's reason
    SavedNoAnswer,       // kept as its PDF: the print server did not answer in time
    NoWindow,            // not written: printing needs the program's window
    LayoutNotFound,      // the layout `file` is not there (empty: none was given)
    LayoutUnreadable,    // the layout `file` cannot be read
    LayoutError,         // line `line` of the layout `file` is not understood, `detail` says how
    ValueMissing,        // the layout needs the value {`name`}, which was not given
    NoDatabase,          // neither the caller nor the layout names a database
    DatabaseNotFound,    // the database `file` is not there
    DatabaseUnreadable,  // the database `file` could not be read, `detail` says why
    TableMissing,        // the table `name` is not in the database `file`
    FieldMissing,        // the field `name` is not in the table `table`
    BadPdfName,          // the PDF name `name` is not a plain file name
    PdfNotWritable,      // the PDF `pdfPath` could not be written
    Failed,              // anything else, `detail` says what
};

struct ReportResult {
    ReportStatus status = ReportStatus::Failed;
    std::string title;         // the report's title, once its layout was read
    std::string destination;   // printer name, or the PDF's path on disk
    std::string pdfPath;       // the PDF written (also when printed)
    int job = 0;               // the print server's job id when printed
    std::string file, name, table, detail;  // what a status concerns (see there)
    int line = 0;

    // The report was printed or kept as its PDF.
    bool ok() const { return status <= ReportStatus::SavedNoAnswer; }
    // Kept as its PDF, not printed.
    bool pdf() const { return ok() && status != ReportStatus::Printed; }
};

class Report {
public:
    // The layout file, as a game path (program folder & "\semana.rpt").
    const std::string& ReportFileName() const { return file_; }
    void SetReportFileName(const std::string& path) { file_ = path; }

    // The database the layout's tables are read from, as a game path; when
    // not given, the one the layout names.
    void SetDatabaseName(const std::string& path) { database_ = path; }

    // A value for {name} in the layout's texts.
    void SetParameter(const std::string& name, const std::string& value) { params_[name] = value; }

    // Prints the report; see the file comment.
    ReportResult PrintReport() const;

    // Prints the reports one after the other, on one connection to the print
    // server and within one time limit; one result per report, in order.
    static std::vector<ReportResult> PrintReports(const std::vector<const Report*>& reports);

    // Tests and machines without a printer: write the PDF, never ask a server.
    static void SetPdfOnly(bool pdfOnly);

    // The longest PrintReports takes, writing the PDFs and waiting for the
    // print server, all reports together.
    static constexpr int PrintTimeLimitMs = 2500;

private:
    std::string file_;
    std::string database_;
    std::map<std::string, std::string> params_;
};

}  // namespace platform
