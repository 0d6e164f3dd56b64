// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the manual pages say beyond the parser's own definition: the special strings with an
// example each, the folders and files, the environment, and the launcher's operations. The
// pages are written from these tables, and the tests run every special-string example
// through velmora-cli, so an example that stops being true fails the build's tests.

namespace velmora::cli {

/// One special string and an example: an item named `item` (in a folder named `folder`,
/// `size` bytes long, last written on `date`, YYYYMMDD) renamed with `change --set
/// newName=TEXT --set startNumber=START` becomes `result`; a random result has `result`'s
/// length and characters, not its letters.
struct SpecialStringDoc {
  const char* token;
  const char* becomes;
  const char* text;
  int start;
  const char* folder;
  const char* item;
  int size;
  const char* date;
  const char* result;
  bool random;
};

inline constexpr SpecialStringDoc kSpecialStrings[] = {
    {"$, $$, $$$ ...", "the running number of the item, padded with zeros to as many digits as there are $",
     "trip_$$", 3, "photos", "IMG_7.jpg", 0, "", "trip_03.jpg", false},
    {"@$@", "a dollar sign", "price@$@$$", 5, "shop", "a.txt", 0, "", "price$05.txt", false},
    {"@@", "the item's date modified, as year, month and day", "scan_@@", 1, "scans", "page.pdf", 0, "20070501",
     "scan_20070501.pdf", false},
    {"##", "the file's size: Bytes up to 1023, then KB, MB or GB with one or two decimals", "size ##", 1,
     "docs", "notes.txt", 12595, "", "size 12.3KB.txt", false},
    {"%%", "the name of the folder that holds the item", "%% cover", 1, "2007", "img.jpg", 0, "",
     "2007 cover.jpg", false},
    {"%N%", "a random string of N characters (N of one or two digits), drawn from the kinds that "
     "randomUpper, randomLower and randomNumbers allow; a new one for every item",
     "%6%", 1, "misc", "x.dat", 0, "", "aK3x9Q.dat", true},
};

/// A tag placeholder: what it becomes. Braces take part in no other special string; a brace
/// pair around any other word stays in the name as typed.
struct TagPlaceholderDoc {
  const char* token;
  const char* becomes;
};

inline constexpr TagPlaceholderDoc kTagPlaceholders[] = {
    {"{taken}", "the date and time a photo was taken, as YYYYMMDD_hhmmss: Exif's DateTimeOriginal, else XMP's or "
                "IPTC's creation date, else the file's date modified (the run then names the item in a note)"},
    {"{taken=PATTERN}", "the same date written by PATTERN: YYYY the year (YY its last two digits), MM the month, DD "
                        "the day, hh, mm and ss the time of day, one letter alone without the leading zero, every "
                        "other character as it is; for example {taken=YYYY-MM-DD hh.mm.ss} or {taken=YYYYMMDD}"},
    {"{make}", "the camera's maker"},
    {"{model}", "the camera's model"},
    {"{lens}", "the lens"},
    {"{width}", "the picture's width in pixels"},
    {"{height}", "the picture's height in pixels"},
    {"{orientation}", "the Exif orientation, 1 to 8"},
    {"{artist}", "a song's artist"},
    {"{albumartist}", "the album's artist"},
    {"{album}", "the album"},
    {"{title}", "the song's title"},
    {"{track}", "the track number, padded with zeros to the digits of the album's track count (two at least)"},
    {"{disc}", "the disc number"},
    {"{year}", "the year of the recording"},
    {"{genre}", "the genre"},
};

/// What the manual says of tag placeholders as a whole (plain text).
inline constexpr const char* kTagPlaceholdersText =
    "Tag placeholders read the file's own tags: Exif, XMP and IPTC of photos (JPEG, TIFF, PNG, HEIC and raw "
    "formats), ID3, Vorbis comments and MP4 atoms of songs (MP3, FLAC, Ogg, M4A and more). Only a file's headers "
    "are read, and only when a text holds such a placeholder. A tag the file lacks gives an empty text (the date "
    "taken: the file's date modified) and a note naming the item; a damaged file is named the same way and never "
    "stops the run. A value is cleaned like a typed text: each of \\ / : * ? \" < > | and every line break "
    "becomes _, and it is cut after 120 bytes. velmora-cli meta FILE shows what they read.";

/// Examples of the manual beyond each command's own.
struct ExampleDoc {
  const char* what;
  const char* line;
};

inline constexpr ExampleDoc kCliExamples[] = {
    {"See what a rename would do, all rows", "velmora-cli insert --folder ~/Scans --set atHead=true --set 'headText=$$ ' --preview --preview-count all"},
    {"Number photos in natural order (IMG_9 before IMG_10)", "velmora-cli change --folder ~/photos --set 'newName=trip_$$' --order natural --yes"},
    {"The newest file gets number 1", "velmora-cli insert --folder ~/scans --set atHead=true --set 'headText=$$ ' --order mtime:desc --yes"},
    {"Upper-case every name below a folder, letters of any script", "velmora-cli change --folder ~/docs --scope 1 --set changeMode=ConvertCase --set caseStyle=Upper --yes"},
    {"Run a saved preset, one field changed", "velmora-cli replace --folder ~/photos --preset 'trip numbers' --set newText=tour --yes"},
    {"The renamed pairs for a script (with jq)", "velmora-cli replace --folder ~/Music --set oldText=_ --set 'newText= ' --yes --json | jq -r '.renamed[][1]'"},
    {"Swap \"Artist - Title\" to \"Title (Artist)\" with a regular expression (\\1.. take its groups)",
     "velmora-cli replace --folder ~/Music --set regex=true --set 'oldText=^(.+) - (.+)$' --set 'newText=\\2 (\\1)' --yes"},
    {"Number only the JPEG photos of a folder (globs separated by ;, any case)",
     "velmora-cli change --folder ~/photos --include '*.jpg;*.jpeg' --exclude 'tmp*' --set 'newName=trip_$$' --yes"},
    {"Paths found anywhere, in one run with one undo (NUL-separated; - is stdin, --from-file FILE a list)",
     "find . -name '*.JPG' -print0 | velmora-cli extension --set newExtension=.jpg -0 - --yes"},
    {"A quick look: -n previews, a third column marks names numbered on a collision, -v counts them",
     "velmora-cli change --folder ~/photos --set newName=trip -n -v"},
    {"Photos named by the date they were taken, shots of one second numbered", "velmora-cli change --folder ~/Photos --set 'newName={taken=YYYY-MM-DD hh.mm.ss}' --yes"},
    {"Songs named \"01 - Artist - Title\"", "velmora-cli change --folder ~/Music/album --set 'newName={track} - {artist} - {title}' --yes"},
    {"Reverse the last run", "velmora-cli undo --yes"},
    {"The runs undo can reverse, newest first", "velmora-cli history"},
    {"Reverse the last three runs, newest first", "velmora-cli undo --count 3 --yes"},
    {"A listing of a folder with sizes and dates, to standard output", "velmora-cli list --folder ~/Music --content all --size --time --output -"},
};

/// The JSON Schema of the --json output, where a package installs it.
inline constexpr const char* kSchemaFile = "/usr/share/velmora-cli/velmora-cli.schema.json";

/// A folder or file the programs read or write, and what it holds.
struct FileDoc {
  const char* path;
  const char* what;
  bool cli;      ///< velmora-cli reads or writes it
  bool desktop;  ///< velmora reads or writes it
};

inline constexpr FileDoc kFiles[] = {
    {"~/.config/Tessaro/Dir.conf",
     "The options of the desktop program (\\fB$XDG_CONFIG_HOME/Tessaro/Dir.conf\\fR); its \\fBInstallDir\\fR "
     "value, when it holds an absolute path, names the desktop program's folder for its own files.",
     false, true},
    {"~/.config/Tessaro/presets/NAME.json",
     "The saved presets (\\fB$XDG_CONFIG_HOME/Tessaro/presets\\fR): JSON objects of field names and values, "
     "as \\fBvelmora\\-cli \\-\\-record\\fR reads them; \\fBvelmora\\-cli \\-\\-preset\\fR \\fINAME\\fR runs one.",
     true, true},
    {"~/.local/share/velmora/",
     "The program's folder (\\fB$XDG_DATA_HOME/velmora\\fR): \\fIrollback.rbk\\fR, the log of the last run that "
     "undo reverses; \\fIrollback.N.rbk\\fR, the runs before it kept for undo (a higher N is newer; "
     "\\fB\\-\\-keep\\-runs\\fR), each log with a \\fI.info\\fR file beside it saying when and which operation; \\fIrollback.rbk.journal\\fR, only while a run renames (a journal left by a killed run "
     "becomes the log at the next start); \\fINewname.txt\\fR, the new-name history; \\fIfn000.tmp\\fR, the "
     "list that \\fBvelmora\\-launch\\fR hands over. velmora\\-cli uses this folder or the one "
     "\\fB\\-\\-state\\-dir\\fR names; it does not read \\fBInstallDir\\fR.",
     true, true},
    {kSchemaFile, "The JSON Schema of every \\fB\\-\\-json\\fR output (under the installation prefix).", true, false},
    {"/usr/share/velmora/",
     "The help pages (\\fIhelp/\\fR, German ones in \\fIhelp/de/\\fR), the translations and the end sound "
     "(under the installation prefix).",
     false, true},
};

/// An environment variable and what it changes.
struct EnvironmentDoc {
  const char* name;
  const char* what;
  bool cli;
  bool desktop;
};

inline constexpr EnvironmentDoc kEnvironment[] = {
    {"XDG_DATA_HOME",
     "The program's folder is \\fB$XDG_DATA_HOME/velmora\\fR when it holds an absolute path, otherwise "
     "\\fB~/.local/share/velmora\\fR.",
     true, true},
    {"XDG_CONFIG_HOME",
     "Settings and presets are kept below \\fB$XDG_CONFIG_HOME/Tessaro\\fR when it holds an absolute path, "
     "otherwise below \\fB~/.config/Tessaro\\fR.",
     true, true},
    {"HOME", "The home folder, for the defaults above (the password database when unset).", true, true},
    {"LANG, LC_ALL, LC_MESSAGES, LANGUAGE",
     "The language of the desktop program's windows and help (English and German ship). velmora\\-cli "
     "speaks English whatever they say.",
     false, true},
    {"LANG, LC_ALL, LC_TIME",
     "The date format of the size-and-date columns of \\fBlist\\fR. Messages stay English, and names are "
     "UTF\\-8 whatever the locale: \\fB\\-\\-code\\-page\\fR chooses another code page.",
     true, false},
    {"LANG, LC_ALL, LC_NUMERIC",
     "The decimal separator of the size placeholder \\fB##\\fR (12.3KB, or 12,3KB in German).", false, true},
};

/// An operation that velmora-launch takes, and the keyword it starts velmora with.
struct LaunchOperationDoc {
  const char* name;
  const char* keyword;
  const char* what;
};

inline constexpr LaunchOperationDoc kLaunchOperations[] = {
    {"remove", "Removpart", "remove, keep or clean parts of the names"},
    {"replace", "Replapart", "replace a string or the selected part"},
    {"insert", "Addnewnum", "insert text or ordered numbers"},
    {"change", "Changnew", "change the whole names or their letter case"},
    {"extension", "Changexten", "change the extensions"},
    {"save", "Savealls or Savesomes",
     "save a listing: of the folder when exactly one folder is given, of the items otherwise"},
};

}  // namespace velmora::cli
