#pragma once

#include "core/document/own_file_guard.h"
#include "core/format/load_report.h"

#include <optional>
#include <string>
#include <vector>

namespace tavlor {

class DocumentUi;
class SheetDocument;
class SheetLoadAhead;

/** Which file the sheet belongs to and the commands that replace, write, close or open it,
 *  guarding unsaved changes with the save prompts. */
class DocumentWorkflow {
public:
    DocumentWorkflow(SheetDocument& document, DocumentUi& ui);
    DocumentWorkflow(const DocumentWorkflow&) = delete;
    DocumentWorkflow& operator=(const DocumentWorkflow&) = delete;

    /** The document's path; empty while it is unnamed. */
    const std::string& CurrentFileName() const { return m_currentFileName; }

    // Commands. Errors of a load or a write are FileError exceptions that end the command at the
    // failing step; the caller shows them.

    /** New, offering to save unsaved changes first. */
    void newDocument();
    /** Open, offering to save unsaved changes first. */
    void open();
    /** Save to the current file, or Save As when unnamed. */
    void save();
    /** Save As: ask for a path (preset to the current one or "Noname"), write there, name the
     *  document after it. */
    void saveAs();
    /** May the window close? canClose is set to false before anything is asked or
     *  written, so an error thrown by a failed write leaves closing refused. */
    void queryClose(bool& canClose);
    /** At start-up: open the file the command-line arguments (argv[1..]) name (CommandLine), then
     *  Genislik. Its cells come from ahead when that read the same file (SheetDocument::Ac). */
    void openCommandLine(const std::vector<std::string>& arguments,
                         SheetLoadAhead* ahead = nullptr);
    /** Opens dropped files one after another (prompting while the sheet is modified),
     *  then Genislik. An error stops the remaining files. */
    void openDropped(const std::vector<std::string>& paths);

    // Building blocks.

    /** Caption = the WindowTitle of CurrentFileName; application title too. */
    void setCaption();
    /** Caption and application title = AppTitle. */
    void resetCaption();
    /** Names the document after path and loads it (from ahead when it read that file). A failed
     *  load leaves the document unnamed. */
    void openChosenFile(const std::string& path, SheetLoadAhead* ahead = nullptr);
    /** Unmodified, unnamed, empty sheet, caption AppTitle. */
    void startEmpty();
    /** Before the document is replaced by other content: true when it has no unsaved changes or
     *  the save question let the command go on (as New asks it). */
    bool mayReplace();
    /** The document's file as it was last read or written; none when unknown. */
    const FileStamp& ownFileStamp() const { return m_ownFile.stamp(); }
    /** Names the document path (unnamed when empty) without loading anything, its file unknown;
     *  sets the caption. */
    void adoptName(const std::string& path);
    /** The save prompt's text for the present document; closing adds " before exit". */
    std::string savePromptText(bool closing) const;

    /** The status bar's notice when another program changed the document's file since it was
     *  opened or saved (told once per change); nothing otherwise. */
    std::optional<std::string> changeNotice();

    /** The question before a save replaces a file the document does not stand for. */
    static std::string replaceQuestion(const std::string& path);

private:
    /** What a Yes to the save question does before the command goes on. */
    enum class SaveFirst {
        Copy,          // New and closing: the old content goes to the file, nothing else changes
        AndName,       // Open: the document is saved, unmodified, and named after the file
        AndNameQuietly // a drop: named after the file; flag and caption are left to the load
    };
    /** Asks whether to save the unsaved changes (closing: "... before exit?") and saves on Yes.
     *  Returns whether the command goes on: after the save or No; not after Cancel or a
     *  cancelled Save dialog. */
    bool offerToSave(bool closing, SaveFirst how);
    /** The Save dialog, asking before another existing file is replaced; No shows the dialog
     *  again with the name that was chosen. */
    std::optional<std::string> chooseSavePath(std::optional<std::string> preset);
    /** Writes the document to CurrentFileName after the questions that guard its own file.
     *  False when the user said No: nothing was written. */
    bool writeOwnFile();
    /** Runs the Open dialog and opens what it returns. */
    void openFromDialog();
    /** One dropped file, decided by the document's state at this moment. */
    void dropOne(const std::string& path);

    SheetDocument& m_document;
    DocumentUi& m_ui;
    std::string m_currentFileName;
    OwnFileGuard m_ownFile;
};

} // namespace tavlor
