#pragma once
// The form program's command line and what it loads before drawing.
//
//   quillet /L:ID                               opens the layout blank in its window
//   quillet --layout ID --pdf OUT.pdf [--ids 1,2,3] [--first N] [--joint COLUMN] [--data FOLDER]
//                                               writes the customers of the data folder (all, or
//                                               those IDs in that order) onto the layout as PDF
//   quillet --previews FOLDER [--catalogue FOLDER]  draws the preview picture "<ID>.jpg" of every
//                                               form of the catalogue with a few sample customers
//
// The batch form needs no window; its exit status is 0 only when the whole file was written.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "printing/FormSheet.h"
#include "records/CKokyakuVMData.h"

namespace printing {

struct QuilletCommand {
  int layoutId = 0;
  bool batch = false;                  // --pdf given: no window
  std::filesystem::path pdf;
  std::optional<records::IdArray> ids;  // --ids: only these customers, in this order
  int firstPiece = 0;                  // --first: 1-based piece to start at
  std::string jointColumn;             // --joint: the column holding a joint addressee's given name
  std::filesystem::path dataFolder;    // --data: instead of the one datadir.dat names
  std::filesystem::path previews;      // --previews: draw every catalogue form's picture there
  std::filesystem::path catalogue;     // --catalogue: the installation (or factory) folder to read
};

// Exit statuses of the batch form.
inline constexpr int kQuilletDone = 0;
inline constexpr int kQuilletFailed = 1;
inline constexpr int kQuilletUsage = 2;

// The arguments after the program name; nullopt with the reason in error when they cannot be read.
std::optional<QuilletCommand> ParseQuilletCommand(const std::vector<std::string>& args, std::string& error);
std::string QuilletUsage();

// The few made-up customers the preview pictures show.
std::vector<records::CKokyaku> PreviewCustomers();

// What a print needs from the installation and the data folder.
struct QuilletJob {
  FormLayout layout;
  records::KokyakuList customers;
  records::RirekiList historyStore;                        // owns the entries below
  std::vector<std::vector<const records::CRirekiData*>> histories;  // genre 4: per customer
};

// Reads the layout from the catalogue of install and, unless the form takes no customer data, the
// customers (and for a customer card their history) from the data folder's database, opened
// read-only so a running program is never disturbed. nullopt with the reason in error.
std::optional<QuilletJob> LoadQuilletJob(const QuilletCommand& command, const std::filesystem::path& install,
                                         bool withCustomers, std::string& error);

}  // namespace printing
