#include "documents/converter_process.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(ConverterProcess, ItsOutputItsErrorsAndAConverterThatDoesNotEnd) {
  ProgramRun run = RunProgram({"sh", "-c", "echo texto; echo aviso >&2; exit 3"});
  EXPECT_TRUE(run.started);
  EXPECT_EQ(run.output, "texto\n");
  EXPECT_EQ(run.errors, "aviso\n");
  EXPECT_EQ(run.exitStatus, 3);
  EXPECT_FALSE(run.timedOut);

  EXPECT_FALSE(RunProgram({"programa-que-nao-existe-aqui"}).started);

  // A converter stuck on a file is ended at the limit, not waited for.
  const auto start = std::chrono::steady_clock::now();
  run = RunProgram({"sh", "-c", "echo parte; sleep 30"}, std::chrono::milliseconds(300));
  EXPECT_TRUE(run.timedOut);
  EXPECT_EQ(run.exitStatus, -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
