// Prints a picture file as the binary data of a stored form's picture property in text form:
// the graphic class name as a short string (one length byte, then its characters), followed by
// the file's bytes, written as upper-case hex in lines of at most 64 digits, each line indented.
// The caller writes the surrounding braces of the data block.
//
// Usage: form_hex <ClassName> <file> [indent]
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::cerr << "usage: form_hex <ClassName> <file> [indent]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return Usage();
  const std::string className = argv[1];
  if (className.empty() || className.size() > 255) {
    std::cerr << "form_hex: the class name must have 1 to 255 characters\n";
    return 2;
  }
  for (unsigned char c : className) {
    if (c < 0x21 || c > 0x7E) {
      std::cerr << "form_hex: the class name must be printable ASCII\n";
      return 2;
    }
  }
  int indent = 0;
  if (argc == 4) {
    char* end = nullptr;
    const long v = std::strtol(argv[3], &end, 10);
    if (end == argv[3] || *end != '\0' || v < 0 || v > 200) {
      std::cerr << "form_hex: the indent must be a number from 0 to 200\n";
      return 2;
    }
    indent = static_cast<int>(v);
  }

  std::vector<unsigned char> bytes;
  bytes.push_back(static_cast<unsigned char>(className.size()));
  bytes.insert(bytes.end(), className.begin(), className.end());
  try {
    if (!std::filesystem::is_regular_file(argv[2])) throw std::runtime_error("not a file");
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) throw std::runtime_error("cannot open");
    bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("read error");
  } catch (const std::exception&) {
    std::cerr << "form_hex: cannot read " << argv[2] << "\n";
    return 1;
  }

  static const char kDigits[] = "0123456789ABCDEF";
  constexpr size_t kBytesPerLine = 32;  // 64 hex digits
  const std::string pad(indent, ' ');
  std::string out;
  out.reserve(bytes.size() * 2 + (bytes.size() / kBytesPerLine + 1) * (indent + 1));
  for (size_t i = 0; i < bytes.size(); i += kBytesPerLine) {
    out += pad;
    for (size_t j = i; j < bytes.size() && j < i + kBytesPerLine; ++j) {
      out += kDigits[bytes[j] >> 4];
      out += kDigits[bytes[j] & 0x0F];
    }
    out += '\n';
  }
  std::cout << out;
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "form_hex: cannot write the output\n";
    return 1;
  }
  return 0;
}
