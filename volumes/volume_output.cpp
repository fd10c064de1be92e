#include "volumes/volume_output.h"

#include "braille/page_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "formats/formatted_output.h"

bool VolumeInRange(const BookVolume& volume, const PrintSettings& settings) {
  return volume.lastPage >= settings.BRPAGINI && volume.firstPage <= settings.BRPAGFIN;
}

bool EmbossVolume(const Book& book, std::size_t volume, const PrintSettings& settings, PageSink& pages,
                  JobUser& user) {
  const BookVolume& v = book.volumes.at(volume);
  if (!VolumeInRange(v, settings)) return true;
  if (!v.titlePage.empty()) {
    pages.BeginPage();
    for (const std::string& line : v.titlePage) {
      if (!DeliverLine(pages, user, settings.LINHASPORMINUTO, line)) return false;
    }
    pages.EndPage();
    if (settings.FRENTEVERSO) pages.BlankBackPage();
  }
  return book.pages.Replay(v.firstEvent, v.endEvent, settings.BRPAGINI, settings.BRPAGFIN, pages, user,
                           settings.LINHASPORMINUTO);
}

bool EmbossVolumes(const Book& book, const std::vector<std::size_t>& volumes, const PrintSettings& settings,
                   FormattedOutput& output, PageSink& pages, JobUser& user, const BeforeVolume& before) {
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    if (i > 0 && before && !before(volumes[i])) return false;
    output.BeginVolume();
    for (int copy = 1; copy <= settings.BRNCOP; ++copy) {
      if (copy > 1) output.BeginCopy();
      if (!EmbossVolume(book, volumes[i], settings, pages, user)) return false;
    }
  }
  return true;
}
