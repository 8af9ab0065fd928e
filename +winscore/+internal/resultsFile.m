function [header, failHeader, failName] = resultsFile (outfile)
%RESULTSFILE  The header lines of a results file and the name of its failures file.
%   [HEADER, FAILHEADER, FAILNAME] = winscore.internal.resultsFile(OUTFILE)
%   gives the first line of a results file (one row per box), the first line
%   of its failures file (one row per image that failed) and that file's
%   name: OUTFILE with '.failed.csv' in place of a '.csv' ending (or added).

% SPDX-License-Identifier: MIT

  header = 'file,rank,xmin,ymin,xmax,ymax,score';
  failHeader = 'file,identifier,message';
  base = outfile;
  if numel (base) >= 4 && strcmpi (base(end-3:end), '.csv')
    base = base(1:end-4);
  end
  failName = [base '.failed.csv'];
end
