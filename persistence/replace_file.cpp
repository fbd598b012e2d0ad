#include "persistence/replace_file.h"

#include "persistence/file_exception.h"

void ReplaceFile(const std::filesystem::path& file, const std::function<void(CFile& output)>& write) {
  std::filesystem::path temporary = file;
  temporary += ".new";
  try {
    CFile output(temporary, CFile::Mode::create);
    write(output);
    output.Flush();
    output.Close();
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) throw CFileException(CFileException::Cause::generic, file, error.value());
  } catch (const CFileException& error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw CFileException(error.cause(), file, error.systemError());  // the user knows the file by its own name
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw;
  }
}
