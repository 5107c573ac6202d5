#include "support/win32/StartMenuFixture.h"

namespace tessaly::testing {

// A start-menu half: links spread over folders 0 to 6 levels deep, most of them to
// programs, the rest the kinds the scan leaves out or reads specially.
void MakeStartMenu(const TempFolder& temp, LinkWriter& writer, const std::string& half,
                   int links, const std::vector<std::string>& programs,
                   const std::string& uninstaller, const std::string& document) {
  for (int i = 0; i < links; ++i) {
    std::string folder = half + "\\Vendor" + std::to_string(i % 23);
    const int depth = i % 7;
    for (int level = 1; level < depth; ++level)
      folder += "\\Group" + std::to_string((i / 7 + level) % 3);
    if (depth == 0) folder = half;
    temp.Make(folder);

    LinkFields fields;
    fields.target = programs[static_cast<std::size_t>(i) % programs.size()];
    std::string name = "Program " + std::to_string(i);
    switch (i % 20) {
      case 0:
        name = "Uninstall " + name;
        break;
      case 1:
        fields.target = uninstaller;
        break;
      case 2:
        fields.arguments = "-p";
        break;
      case 3:
        fields.arguments = programs[(static_cast<std::size_t>(i) + 1) % programs.size()];
        break;
      case 4:
        fields.target = document;
        break;
      case 5:
        name += " 2.5";
        break;
      default:
        break;
    }
    writer.Write(temp.path() + folder + "\\" + name + ".lnk", fields);
  }
}


}  // namespace tessaly::testing
