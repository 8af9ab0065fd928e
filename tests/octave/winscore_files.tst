## winscore.proposeFiles and winscore.mergeResults: a folder of images into
## one CSV file that survives bad files and a killed run, the same with
## workers, and the same from shards joined.

%!shared dir0, opts, good, bad
%! dir0 = tempname ();
%! mkdir (dir0);
%! opts = {"Candidates", 200, "Draws", 100, "Keep", 3};
%! good = {"a, \"quoted\".png", "g1.png", "g2.jpg", "g3.PNG", "g4.png", "grey.png"};
%! for k = 1:numel (good)
%!   rand ("state", k);
%!   img = uint8 (round (100 + 40 * rand (60, 80, 3)));
%!   img(10:30, 10 + k:40, 1) = 250;
%!   if (k == numel (good))
%!     img = img(:, :, 2);
%!   end
%!   imwrite (img, fullfile (dir0, good{k}), "Quality", 95);
%! end
%! jpeg = fileread (fullfile (dir0, "g2.jpg"));
%! bad = {"empty.png", "", "text.jpg", "hello", "truncated.jpg", jpeg(1:round (end / 2))};
%! for k = 1:2:numel (bad)
%!   fid = fopen (fullfile (dir0, bad{k}), "w");
%!   fwrite (fid, bad{k + 1});
%!   fclose (fid);
%! end
%! bad = strcat ([dir0 filesep], bad(1:2:end));
%! good = strcat ([dir0 filesep], sort (good));
%! fclose (fopen (fullfile (dir0, "notes.txt"), "w"));

%!function out = call (dir0, name, varargin)
%!  out = fullfile (dir0, name);
%!  winscore.proposeFiles (dir0, out, "Verbose", false, varargin{:});
%!endfunction

%!function script = write_script (dir0, name, code)
%!  ## CODE as a script run by its own octave-cli with this build's toolbox.
%!  script = fullfile (dir0, name);
%!  fid = fopen (script, "w");
%!  fprintf (fid, "addpath ('%s');\n%s\n", fileparts (which ("tallyplane")), code);
%!  fclose (fid);
%!endfunction

%!function fault (id, varargin)
%!  ## The call raises an error whose identifier starts with ID.
%!  try
%!    feval (varargin{:});
%!    got = "";
%!  catch err
%!    got = err.identifier;
%!  end
%!  assert (strncmp (got, id, numel (id)), sprintf ("%s, not %s", got, id));
%!endfunction

## The folder's images in sorted order, each window a row that reads back as
## propose's own result; bad files reported, with a reason, and skipped.
%!test
%! [done, failed] = winscore.proposeFiles (dir0, fullfile (dir0, "out.csv"), opts{:}, "Verbose", false);
%! assert (done, good');
%! assert ({failed.file}, bad);
%! assert (unique ({failed.identifier}), {"winscore:proposeFiles:unreadable"});
%! text = fileread (fullfile (dir0, "out.csv"));
%! c = textscan (text, "%q %f %f %f %f %f %s", "Delimiter", ",", "HeaderLines", 1);
%! assert (strncmp (text, "file,rank,xmin,ymin,xmax,ymax,score\n\"", 37));
%! for k = 1:numel (good)
%!   [boxes, scores] = winscore.propose (imread (good{k}), opts{:});
%!   mine = strcmp (c{1}, good{k});
%!   assert ([c{2}(mine), c{3}(mine), c{4}(mine), c{5}(mine), c{6}(mine)], ...
%!           [(1:numel (scores))', boxes]);
%!   assert (isequal (str2double (c{7}(mine)), scores));
%! end
%! failures = textscan (fileread (fullfile (dir0, "out.failed.csv")), "%q %q %q", ...
%!                      "Delimiter", ",", "HeaderLines", 1);
%! assert (failures{1}', bad);
%! assert (all (strncmp (failures{3}, "winscore.proposeFiles: cannot read image", 40)));
%! ## The memory guard fails an image like a bad file.
%! [done, failed] = winscore.proposeFiles (good(1:2), fullfile (dir0, "guard.csv"), ...
%!                                         "MaxBytes", 1000, "Verbose", false);
%! assert (isempty (done));
%! assert ({failed.file}, good(1:2));
%! assert (all (strncmp ({failed.identifier}, "winscore:propose:too", 20)));
%! ## No window: one row of rank 0, so that the image counts as done.
%! winscore.proposeFiles (good(2), fullfile (dir0, "none.csv"), "Keep", 0, "Verbose", false);
%! assert (fileread (fullfile (dir0, "none.csv")), ...
%!         sprintf ("file,rank,xmin,ymin,xmax,ymax,score\n%s,0,,,,,\n", good{2}));

## Resume: nothing done twice, the count said; a last image cut short (in a
## line or between lines) worked out again; another file never overwritten.
%!test
%! out = fullfile (dir0, "out.csv");
%! whole = fileread (out);
%! said = evalc ("done = winscore.proposeFiles (dir0, out, opts{:});");
%! assert (done, good');
%! assert (! isempty (strfind (said, "6 of 9 images already done, skipped")));
%! assert (fileread (out), whole);
%! lines = find (whole == "\n");
%! for cut = [numel(whole) - 5, lines(end - 1), lines(end - 4) + 3]
%!   fid = fopen (out, "w");  fwrite (fid, whole(1:cut));  fclose (fid);
%!   winscore.proposeFiles (dir0, out, opts{:}, "Verbose", false);
%!   assert (fileread (out), whole);
%! end
%! ## An image that failed, tried again once it is there: in its place.
%! mkdir (fullfile (dir0, "later"));
%! late = fullfile (dir0, "later", "late.png");
%! some = {good{1}, late, good{3}};
%! [~, failed] = winscore.proposeFiles (some, fullfile (dir0, "late.csv"), opts{:}, "Verbose", false);
%! assert ({failed.file}, {late});
%! copyfile (good{2}, late);
%! winscore.proposeFiles (some, fullfile (dir0, "late.csv"), opts{:}, "Verbose", false);
%! winscore.proposeFiles (some, fullfile (dir0, "once.csv"), opts{:}, "Verbose", false);
%! assert (fileread (fullfile (dir0, "late.csv")), fileread (fullfile (dir0, "once.csv")));
%! other = fullfile (dir0, "other.csv");
%! fid = fopen (other, "w");  fputs (fid, "a,b\n1,2\n");  fclose (fid);
%! fault ("winscore:proposeFiles:notResults", "winscore.proposeFiles", dir0, other, "Verbose", false);
%! assert (fileread (other), "a,b\n1,2\n");

## A run killed half way, then run again: the file of an uninterrupted run.
%!test
%! slow = fullfile (dir0, "slow");
%! mkdir (slow);
%! for k = 1:10
%!   rand ("state", k);
%!   imwrite (uint8 (round (100 + 40 * rand (120, 160, 3))), fullfile (slow, sprintf ("%02d.png", k)));
%! end
%! more = {"Candidates", 1000, "Draws", 300, "Keep", 3};
%! whole = fileread (call (slow, "whole.csv", more{:}));
%! out = fullfile (slow, "out.csv");
%! script = write_script (slow, "run.m", sprintf ("winscore.proposeFiles ('%s', '%s', 'Candidates', 1000, 'Draws', 300, 'Keep', 3);", slow, out));
%! [~, pid] = system (sprintf ("octave-cli -H -f -q %s >/dev/null 2>&1 & echo $!", script));
%! for t = 1:2400                       # until an image is written, at most 2 minutes
%!   if (exist (out, "file") && sum (fileread (out) == "\n") >= 4)
%!     break;
%!   end
%!   pause (0.05);
%! end
%! assert (system (sprintf ("kill -9 %s", pid)), 0);
%! pause (0.2);
%! part = fileread (out);
%! assert (numel (part) < numel (whole));
%! assert (strncmp (part, whole, sum (part == "\n") > 0));
%! call (slow, "out.csv", more{:});
%! assert (fileread (out), whole);

## Workers: the same file as one process, byte for byte.
%!test
%! out = call (dir0, "workers.csv", opts{:}, "wo", 2);     # a short name of its own
%! assert (fileread (out), fileread (fullfile (dir0, "out.csv")));
%! assert (fileread (fullfile (dir0, "workers.failed.csv")), ...
%!         fileread (fullfile (dir0, "out.failed.csv")));

## Three shards run by GNU parallel, joined: the file of one run, and more
## shards than images, joined, too.
%!test
%! script = write_script (dir0, "shard.m", sprintf (["k = str2double (argv (){end});\n" ...
%!   "winscore.proposeFiles ('%s', sprintf ('%s/part%%d.csv', k), 'Candidates', 200, " ...
%!   "'Draws', 100, 'Keep', 3, 'Shard', [k 3], 'Verbose', false);"], dir0, dir0));
%! assert (system (sprintf ("parallel --will-cite -j3 octave-cli -H -f -q %s {} ::: 1 2 3", script)), 0);
%! winscore.mergeResults (strcat (dir0, "/part", {"1", "2", "3"}, ".csv"), fullfile (dir0, "merged.csv"));
%! assert (fileread (fullfile (dir0, "merged.csv")), fileread (fullfile (dir0, "out.csv")));
%! assert (fileread (fullfile (dir0, "merged.failed.csv")), fileread (fullfile (dir0, "out.failed.csv")));
%! parts = cell (1, 3);
%! for k = 1:3
%!   parts{k} = fullfile (dir0, sprintf ("two%d.csv", k));
%!   winscore.proposeFiles (good(1:2), parts{k}, opts{:}, "Shard", [k 3], "Verbose", false);
%! end
%! winscore.mergeResults (parts, fullfile (dir0, "two.csv"));
%! winscore.proposeFiles (good(1:2), fullfile (dir0, "one.csv"), opts{:}, "Verbose", false);
%! assert (fileread (fullfile (dir0, "two.csv")), fileread (fullfile (dir0, "one.csv")));

## Faults of the call end it before any file is written; a part cut short
## or missing is not joined.
%!test
%! out = fullfile (dir0, "never.csv");
%! for c = {{42, out}, {dir0, 7}, {dir0, out, "Workers", 0}, {dir0, out, "Shard", [0 2]}, ...
%!          {dir0, out, "Shard", [3 2]}, {dir0, out, "Shard", [1 Inf]}}
%!   fault ("winscore:proposeFiles:badValue", "winscore.proposeFiles", c{1}{:});
%! end
%! fault ("winscore:propose:unknownOption", "winscore.proposeFiles", dir0, out, "Colour", 9);
%! fault ("winscore:propose:", "winscore.proposeFiles", dir0, out, "Bins", -1);
%! assert (! exist (out, "file"));
%! whole = fileread (fullfile (dir0, "out.csv"));
%! cut = fullfile (dir0, "cut.csv");
%! fid = fopen (cut, "w");  fwrite (fid, whole(1:end-3));  fclose (fid);
%! fault ("winscore:mergeResults:tornPart", "winscore.mergeResults", {cut}, out);
%! fault ("winscore:mergeResults:cannotRead", "winscore.mergeResults", {[cut "x"]}, out);
%! confirm_recursive_rmdir (false, "local");
%! rmdir (dir0, "s");
