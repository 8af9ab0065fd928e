function package_check (root, outdir)
  % Makes the package into outdir, installs it into a temporary prefix, loads it, runs its own tests
  % and calls every plug-in from the installed copy; exits non-zero on failure.
  [status, tarball] = system (sprintf ("'%s/tools/make-package.sh' '%s'", root, outdir));
  if (status != 0)
    error ("package_check: make-package.sh failed");
  end
  tarball = strtrim (tarball);
  prefix = tempname ();
  mkdir (prefix);
  pkg ("prefix", fullfile (prefix, "share"), fullfile (prefix, "lib"));
  pkg ("local_list", fullfile (prefix, "octave_packages"));
  pkg ("global_list", fullfile (prefix, "octave_packages_global"));
  pkg ("install", "-local", tarball);
  pkg ("load", "winscore");
  failures = 0;
  names = build_fact ("WS_PLUGINS");
  for k = 1:numel (names)
    where = which (names{k});
    if (isempty (where))
      printf ("%s: not installed\n", names{k});
      failures += 1;
      continue;
    end
    if (isempty (strfind (where, prefix)) || isempty (regexp (where, '\.mex$', 'once')))
      printf ("%s: resolves to %s, not the installed plug-in\n", names{k}, where);
      failures += 1;
    end
    if (isempty (strfind (evalc (["help " names{k}]), upper (names{k}))))
      printf ("%s: help does not print its usage\n", names{k});
      failures += 1;
    end
    [n, nmax] = test (names{k}, "quiet", stdout);
    if (nmax == 0 || n != nmax)
      printf ("%s: %d of %d package tests passed\n", names{k}, n, nmax);
      failures += 1;
    end
  end
  ## The API's own kernels, where the toolbox API calls them.
  kernels = build_fact ("WS_API_KERNELS");
  for k = 1:numel (kernels)
    name = ["winscore.internal." kernels{k}];
    where = which (name);
    if (isempty (strfind (where, prefix)) || isempty (regexp (where, '\.mex$', 'once')))
      printf ("%s: resolves to '%s', not the installed kernel\n", name, where);
      failures += 1;
    end
  end
  ## The scripts ship in the package, and the demo runs from it.
  scripts = build_fact ("WS_MFILES");
  installed = pkg ("list", "winscore");
  for k = 1:numel (scripts)
    [~, name, ext] = fileparts (scripts{k});
    if (! exist (fullfile (installed{1}.dir, [name ext]), "file"))
      printf ("%s: not installed\n", scripts{k});
      failures += 1;
    end
  end
  folders = build_fact ("WS_MFOLDERS");
  for k = 1:numel (folders)
    if (! exist (fullfile (installed{1}.dir, folders{k}), "dir"))
      printf ("%s: not installed\n", folders{k});
      failures += 1;
    end
  end
  if (isempty (strfind (which ("winscore_demo"), prefix)))
    printf ("winscore_demo: not installed\n");
    failures += 1;
  else
    here = pwd ();
    cd (prefix);
    evalc ("winscore_demo ();");
    if (! exist (fullfile (prefix, "winscore_demo.png"), "file"))
      printf ("winscore_demo: wrote no picture\n");
      failures += 1;
    end
    cd (here);
  end
  ## The toolbox API ships in the package, with its help and the overview.
  ## (Octave 6's which does not resolve a package function: look for the file.)
  if (! exist (fullfile (installed{1}.dir, "+winscore", "propose.m"), "file")
      || isempty (strfind (evalc ("help winscore.propose"), "winscore.propose("))
      || isempty (strfind (evalc ("help Contents"), "winscore.propose")))
    printf ("winscore.propose: not installed with its help and the overview\n");
    failures += 1;
  end
  missing = contents_missing ();
  if (! isempty (missing))
    printf ("help Contents lists what help cannot find: %s\n", strjoin (missing, ", "));
    failures += 1;
  end
  pkg ("unload", "winscore");
  pkg ("uninstall", "-local", "winscore");
  confirm_recursive_rmdir (false);
  rmdir (prefix, "s");
  printf ("package: %d failures\n", failures);
  if (failures > 0)
    exit (1);
  end
end
