#include "io/ImportAccess.h"

#include <mdbtools.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>

#include "text/Format.h"

namespace io {

namespace {

constexpr std::size_t kBindSize = 65536;  // long enough for a memo as the list shows it
constexpr guint16 kJapaneseCodePage = 932;
constexpr guint16 kJapaneseLanguage = 0x0411;

struct Database {
  MdbHandle* mdb = nullptr;
  ~Database() {
    if (mdb) mdb_close(mdb);
  }
};

// mdbtools reads the code page of a Jet 3 file from its header; a Japanese file is CP932 whatever
// the header says of its sort order, so its converter is set up again for that.
std::mutex charsetMutex;

bool Open(const std::filesystem::path& file, Database& db) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  db.mdb = mdb_open(file.c_str(), MDB_NOFLAGS);
  if (!db.mdb) return false;
  if (IS_JET3(db.mdb) && (db.mdb->f->code_page == kJapaneseCodePage || db.mdb->f->lang_id == kJapaneseLanguage)) {
    const std::lock_guard lock(charsetMutex);
    const char* before = std::getenv("MDB_JET3_CHARSET");
    const std::string saved = before ? before : "";
    setenv("MDB_JET3_CHARSET", "CP932", 1);
    mdb_iconv_close(db.mdb);
    mdb_iconv_init(db.mdb);
    if (before) {
      setenv("MDB_JET3_CHARSET", saved.c_str(), 1);
    } else {
      unsetenv("MDB_JET3_CHARSET");
    }
  }
  mdb_set_bind_size(db.mdb, kBindSize);
  mdb_set_date_fmt(db.mdb, "%Y/%m/%d");
  db.mdb->boolean_false_value = "0";
  db.mdb->boolean_true_value = "1";
  return mdb_read_catalog(db.mdb, MDB_TABLE) != nullptr;
}

std::string Unreadable(const std::filesystem::path& file) { return text::Format(kAccessUnreadable, file.filename().string()); }

std::vector<MdbCatalogEntry*> UserTables(MdbHandle* mdb) {
  std::vector<MdbCatalogEntry*> tables;
  for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry)) tables.push_back(entry);
  }
  return tables;
}

// A number as "%g", as the list of a database shows it.
std::string NumberAsG(const char* text) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text) return text;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

}  // namespace

TableList ListTables(const std::filesystem::path& database) {
  TableList list;
  Database db;
  if (!Open(database, db)) {
    list.error = Unreadable(database);
    return list;
  }
  for (MdbCatalogEntry* entry : UserTables(db.mdb)) list.names.emplace_back(entry->object_name);
  return list;
}

ImportRead ReadTable(const std::filesystem::path& database, const std::string& name) {
  Database db;
  if (!Open(database, db)) return ImportRead::Failed(Unreadable(database));
  MdbCatalogEntry* found = nullptr;
  for (MdbCatalogEntry* entry : UserTables(db.mdb)) {
    if (name == entry->object_name) found = entry;
  }
  if (!found) return ImportRead::Failed(kAccessNoTables);
  std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)> table(mdb_read_table(found), &mdb_free_tabledef);
  if (!table || !mdb_read_columns(table.get())) return ImportRead::Failed(Unreadable(database));
  const unsigned int columns = table->num_cols;
  std::vector<std::string> buffers(columns, std::string(kBindSize, '\0'));
  std::vector<int> lengths(columns, 0);
  ImportRead read;
  ImportRow header(1);
  for (unsigned int c = 0; c < columns; ++c) {
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
    header.emplace_back(column->name);
    if (column->col_type != MDB_OLE) mdb_bind_column(table.get(), static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
  }
  read.rows.push_back(std::move(header));
  mdb_rewind_table(table.get());
  std::size_t number = 0;
  while (mdb_fetch_row(table.get())) {
    ImportRow row;
    row.reserve(columns + 1);
    row.push_back(std::to_string(++number));
    for (unsigned int c = 0; c < columns; ++c) {
      auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
      if (column->col_type == MDB_OLE || lengths[c] <= 0) {
        row.emplace_back();
        continue;
      }
      const char* text = buffers[c].c_str();
      if (column->col_type == MDB_FLOAT || column->col_type == MDB_DOUBLE) {
        row.push_back(NumberAsG(text));
      } else {
        row.emplace_back(text);
      }
    }
    read.rows.push_back(std::move(row));
  }
  return read;
}

}  // namespace io
