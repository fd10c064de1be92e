// What the format tests share: a small document with a header, interpoint
// printing and a picture, composed by a print job into a format's pages
// with the shipped current-rules code table (Braille ASCII).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "formats/cell_pages.h"
#include "platform/paths.h"
#include "tests/support/test_support.h"

namespace formats_testing {

class FormatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadCodeTable(DataDirectory() + "/ambcode2.cfg", table).Whole());
    // Pages of 12 cells by 3 rows, headers on the fronts, interpoint.
    settings.COLUNAS = 12;
    settings.LINHAS = 3;
    settings.TITULA = true;
    settings.FRENTEVERSO = true;
    // The picture's first line is no part of it; its rows make two lines of
    // cells: dots 2 3 6 and dots 2 3, then dot 1.
    testing_support::WriteFile(dir.File("desenho.txt"), "desenho\nx x\nxxx\nx\n");
  }

  PageSize Page() const { return {settings.COLUNAS, settings.LINHAS}; }

  // Composes the text into pages; the pages' Finish is the caller's.
  void Compose(const std::string& text, PageSink& pages) {
    testing_support::WriteFile(dir.File("texto.txt"), text);
    InputFile input;
    ASSERT_TRUE(input.Open(dir.File("texto.txt")));
    NobodyJobUser nobody;
    PrintJob(settings, table, pages, nobody).PrintCopy(input);
  }

  // Page 1 holds its header and two lines, so the picture that follows
  // gets a page of its own (page 2, a back without header); page 3 has the
  // header numbered 3.
  static constexpr const char* kDocument = "casa\nrio\n<G desenho.txt>\nponte\n";

  testing_support::TempDir dir;
  PrintSettings settings;
  CodeTable table;
};

}  // namespace formats_testing
