#include "dxf_writer.h"

#include <dl_dxf.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "errors.h"
#include "train_structure.h"

namespace {

constexpr const char* kTracks = "tracks";
constexpr const char* kWalls = "walls";

// The library writes only to a named file: a private one that goes again
// once read.
class TScratchFile {
 public:
  TScratchFile() {
    const char* folder = std::getenv("TMPDIR");
    name_ =
        std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
        "/trn-dxf-XXXXXX";
    const int fd = mkstemp(name_.data());
    if (fd < 0) throw EFileError(errno);
    close(fd);
  }
  ~TScratchFile() { unlink(name_.c_str()); }
  TScratchFile(const TScratchFile&) = delete;
  TScratchFile& operator=(const TScratchFile&) = delete;

  const std::string& Name() const { return name_; }

  std::string Content() const {
    std::ifstream in(name_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) throw EFileError("Could not write the DXF drawing");
    return text.str();
  }

 private:
  std::string name_;
};

void WriteTables(DL_Dxf& Dxf, DL_WriterA& Out) {
  Out.sectionTables();
  Dxf.writeVPort(Out);
  Out.tableLinetypes(3);
  Dxf.writeLinetype(Out, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  Dxf.writeLinetype(Out, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  Dxf.writeLinetype(Out,
                    DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  Out.tableEnd();
  Out.tableLayers(3);
  const DL_Attributes plain("", DL_Codes::white, 100, "CONTINUOUS", 1.0);
  Dxf.writeLayer(Out, DL_LayerData("0", 0), plain);
  Dxf.writeLayer(Out, DL_LayerData(kTracks, 0),
                 DL_Attributes("", DL_Codes::blue, 100, "CONTINUOUS", 1.0));
  Dxf.writeLayer(Out, DL_LayerData(kWalls, 0),
                 DL_Attributes("", DL_Codes::red, 100, "CONTINUOUS", 1.0));
  Out.tableEnd();
  Out.tableStyle(1);
  Dxf.writeStyle(Out,
                 DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
  Out.tableEnd();
  Dxf.writeView(Out);
  Dxf.writeUcs(Out);
  Out.tableAppid(1);
  Dxf.writeAppid(Out, "ACAD");
  Out.tableEnd();
  Dxf.writeDimStyle(Out, 1, 1, 1, 1, 1);
  Dxf.writeBlockRecord(Out);
  Out.tableEnd();
  Out.sectionEnd();
}

void WriteBlocks(DL_Dxf& Dxf, DL_WriterA& Out) {
  Out.sectionBlocks();
  for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    Dxf.writeBlock(Out, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
    Dxf.writeEndBlock(Out, space);
  }
  Out.sectionEnd();
}

}  // namespace

std::string DxfText(const TTrainStructureSV& Map) {
  TScratchFile scratch;
  {
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> out(
        dxf.out(scratch.Name().c_str(), DL_Codes::AC1015));
    if (out == nullptr) throw EFileError("Could not write the DXF drawing");
    dxf.writeHeader(*out);
    out->sectionEnd();
    WriteTables(dxf, *out);
    WriteBlocks(dxf, *out);
    out->sectionEntities();
    const DL_Attributes tracks(kTracks, 256, -1, "BYLAYER", 1.0);
    for (const auto& track : Map.Tracks) {
      const TTrVector& a = track->P1->Pos;
      const TTrVector& b = track->P2->Pos;
      dxf.writeLine(*out, DL_LineData(a.X, a.Y, 0.0, b.X, b.Y, 0.0), tracks);
    }
    const DL_Attributes walls(kWalls, 256, -1, "BYLAYER", 1.0);
    for (const auto& wall : Map.Walls) {
      const TTrVector& a = wall->P1->Pos;
      const TTrVector& b = wall->P2->Pos;
      dxf.writeLine(*out, DL_LineData(a.X, a.Y, a.Z, b.X, b.Y, b.Z), walls);
    }
    out->sectionEnd();
    dxf.writeObjects(*out);
    dxf.writeObjectsEnd(*out);
    out->dxfEOF();
    out->close();
  }
  return scratch.Content();
}
