## winscore.internal.ringcontrast, the toolbox API's own contrast kernel.

%!assert (winscore.internal.ringcontrast (), 0)
%!error <gives at most 1 output> [a, b] = winscore.internal.ringcontrast ()
