function run_tests (files)
  % Runs the %! blocks of each test file and exits non-zero on any failure
  % (the host's own test runner reports failures but always returns normally).
  npass = 0; nfail = 0;
  for k = 1:numel (files)
    [n, nmax] = test (files{k}, "quiet", stdout);
    npass += n; nfail += nmax - n;
  end
  printf ("\n%d passed, %d failed\n", npass, nfail);
  if (nfail > 0 || npass == 0)
    exit (1);
  end
end
