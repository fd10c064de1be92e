import java.io.File;
import java.io.InputStream;
import org.daisy.braille.pef.PEFValidator;

// Runs brailleutils' own PEF validator (schema and Schematron, full mode)
// on one file: exit status 0 when it is valid, 1 with the report otherwise.
public class ValidatePef {
  public static void main(String[] args) throws Exception {
    PEFValidator validator = new PEFValidator();
    boolean ok = validator.validate(new File(args[0]).toURI().toURL());
    if (!ok) {
      InputStream report = validator.getReportStream();
      System.out.write(report.readAllBytes());
      System.out.flush();
    }
    System.exit(ok ? 0 : 1);
  }
}
